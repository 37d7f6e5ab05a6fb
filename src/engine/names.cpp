#include "engine/names.h"

#include <QLoggingCategory>

namespace vorelian {
namespace {

Q_LOGGING_CATEGORY(lcNames, "vorelian.engine.names", QtWarningMsg)

// The form names are compared in: blanks trimmed, letter case folded, «ё» read as «е».
QString NameKey(QStringView name) {
    QString key = name.trimmed().toString().toCaseFolded();
    key.replace(u'ё', u'е');
    return key;
}

QStringList CommaList(const QString& value) {
    QStringList out;
    for (const QString& part : value.split(u','))
        if (const QString t = part.trimmed(); !t.isEmpty())
            out << t;
    return out;
}

} // namespace

QStringList NameTable::GenitivesOf(QStringView name) const {
    const QString key = NameKey(name);
    QStringList found;
    if (key.isEmpty())
        return found;
    for (const SaintName& n : Names) {
        bool match = NameKey(n.Church) == key;
        for (const QString& s : n.Secular)
            match = match || NameKey(s) == key;
        if (match)
            found << n.Genitive;
    }
    found.removeDuplicates();
    return found;
}

NameTable LoadNameTable(const Profile& file) {
    NameTable table;
    for (const ProfileSection& s : file.Sections()) {
        SaintName n;
        n.Church = s.Name;
        for (const ProfileEntry& e : s.Entries) {
            const QString key = e.Key.toLower();
            if (key == u"gender")
                n.Female = e.Value == u"ж";
            else if (key == u"genitive")
                n.Genitive << CommaList(e.Value);
            else if (key == u"names")
                n.Secular << CommaList(e.Value);
        }
        if (n.Genitive.isEmpty()) {
            qCWarning(lcNames).noquote() << QStringLiteral("[%1]: no genitive; name skipped").arg(s.Name);
            continue;
        }
        table.Names.push_back(std::move(n));
    }
    return table;
}

} // namespace vorelian
