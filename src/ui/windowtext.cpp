#include "ui/windowtext.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>

#include <algorithm>

namespace vorelian {

QString WindowFamily() {
    const QString arial = QStringLiteral("Arial");
    if (QFontDatabase::hasFamily(arial))
        return arial;
    // Faces drawn to Arial's measures stand in for it without changing the look of the column.
    const QString standIn = QFontInfo(QFont(arial)).family();
    for (const char* metric : {"Liberation Sans", "Arimo"})
        if (standIn.compare(QLatin1String(metric), Qt::CaseInsensitive) == 0)
            return standIn;
    return QApplication::font().family();
}

QFont WindowFont(int16_t textSize, const QString& family) {
    static constexpr int kPoints[] = {8, 10, 12};
    QFont f(family);
    f.setPointSize(kPoints[std::clamp<int>(textSize, 0, 2)]);
    return f;
}

} // namespace vorelian
