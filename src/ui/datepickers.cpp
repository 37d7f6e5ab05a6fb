#include "ui/datepickers.h"

#include "core/calendar.h"
#include "core/navigation.h"
#include "core/tables.h"
#include "ui/busycursor.h"
#include "ui/steplabel.h"
#include "ui/twips.h"
#include "ui/uiservices.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QEvent>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QStyle>
#include <QStyleOptionComboBox>

#include <algorithm>

namespace vorelian {

QStringList StyleItems() {
    return {QStringLiteral("от Сотворения Мира"), QStringLiteral("от Р.Х. (старый стиль)"),
            QStringLiteral("от Р.Х. (новый стиль)")};
}

QStringList YearItems(int16_t lowest, int16_t highest) {
    QStringList items;
    for (int y = lowest; y <= highest; ++y)
        items << QString::number(y);
    return items;
}

QStringList MonthItems(int16_t style) {
    QStringList items;
    for (int16_t i = 1; i <= 12; ++i)
        items << QStringLiteral("(%1) %2").arg(i).arg(MonthNameOf(CivilMonthOf(style, i), 1));
    return items;
}

QStringList WeekItems(int16_t P, int16_t A, int16_t B) {
    const QString afterPentecost = QStringLiteral("-я по Пятидесятнице");
    QStringList items;
    for (int i = 0; i <= P - 12; ++i)
        items << QString::number(A + i) + afterPentecost;
    items << QStringLiteral("О мытаре и фарисее") << QStringLiteral("О блудном сыне")
          << QStringLiteral("Сырная седмица");
    for (int i = 1; i <= 6; ++i)
        items << QString::number(i) + QStringLiteral("-я Великого поста");
    items << QStringLiteral("Страстная седмица") << QStringLiteral("Светлая седмица");
    for (int i = 2; i <= 7; ++i)
        items << QString::number(i) + QStringLiteral("-я по Пасхе");
    for (int i = 1; i <= B; ++i)
        items << QString::number(i) + afterPentecost;
    return items;
}

QStringList WeekdayItems(int16_t firstWeekday) {
    QStringList items;
    for (int r = 0; r <= 6; ++r)
        items << WeekdayNames[1 + (firstWeekday + r - 1) % 7];
    return items;
}

QString WeekDatesText(const CalendarState& st, int week) {
    const int16_t s = st.CurStyle;
    const StyleDate& r = st.Cur();
    const int32_t sunday = r.YearFirstDay - r.YearFirstWeekday % 7 + 7 * (week - 1);
    CalendarState day = st;
    SetCurrentDay(day, sunday);
    const StyleDate a = day.StyleDates[s];
    SetCurrentDay(day, sunday + 6);
    const StyleDate& b = day.StyleDates[s];
    const auto month = [s](const StyleDate& d) { return MonthNameOf(CivilMonthOf(s, d.Month), 2); };
    const QString end = QStringLiteral("%1 %2 %3").arg(b.Day).arg(month(b)).arg(b.Year);
    if (a.Year != b.Year)
        return QStringLiteral("%1 %2 %3 – %4").arg(a.Day).arg(month(a)).arg(a.Year).arg(end);
    if (a.Month != b.Month)
        return QStringLiteral("%1 %2 – %3").arg(a.Day).arg(month(a), end);
    return QStringLiteral("%1–%2").arg(a.Day).arg(end);
}

DatePickers::DatePickers(QWidget* con1) : QObject(con1) {
    for (int i = 0; i < 5; ++i) {
        const double top = 45 + 360 * i;
        Label1[i] = new StepLabel(QStringLiteral("<"), con1);
        Label1[i]->setObjectName(QStringLiteral("Label1_%1").arg(i));
        Label1[i]->setGeometry(PxRect(45, top, 135, 315));
        Combo1[i] = new QComboBox(con1);
        Combo1[i]->setObjectName(QStringLiteral("Combo1_%1").arg(i));
        Combo1[i]->setGeometry(PxRect(225, top, 2175, 315));
        static const char16_t* const kTips[] = {u"Счёт лет (календарный стиль)", u"Год", u"Месяц", u"Седмица",
                                                u"День недели"};
        static const char16_t* const kSteps[] = {u"стиль", u"год", u"месяц", u"седмица", u"день"};
        Combo1[i]->setToolTip(QString::fromUtf16(kTips[i]));
        // A plain list under the picker, whose height ReSizeCombo sets.
        Combo1[i]->setStyleSheet(QStringLiteral("QComboBox { combobox-popup: 0; }"));
        // The wheel changes a picker only once it has been chosen, never while passing over it.
        Combo1[i]->setFocusPolicy(Qt::StrongFocus);
        Combo1[i]->installEventFilter(this);
        Label2[i] = new StepLabel(QStringLiteral(">"), con1);
        Label2[i]->setObjectName(QStringLiteral("Label2_%1").arg(i));
        Label2[i]->setGeometry(PxRect(2445, top, 135, 315));
        Label1[i]->setToolTip(i == 0 ? QStringLiteral("Предыдущий стиль")
                                     : QStringLiteral("Назад: %1").arg(QString::fromUtf16(kSteps[i])));
        Label2[i]->setToolTip(i == 0 ? QStringLiteral("Следующий стиль")
                                     : QStringLiteral("Вперёд: %1").arg(QString::fromUtf16(kSteps[i])));

        connect(Combo1[i], &QComboBox::currentIndexChanged, this, [this, i] { Combo1_Click(i); });
        connect(Label1[i], &StepLabel::Step, this, [this, i] { Q_EMIT StepBack(i); });
        connect(Label2[i], &StepLabel::Step, this, [this, i] { Q_EMIT StepForward(i); });
    }
    Fill(Combo1[0], StyleItems());

    // The year picker also takes a year typed into it, on Enter or on leaving the box.
    QComboBox* years = Combo1[1];
    years->setEditable(true);
    years->setInsertPolicy(QComboBox::NoInsert);
    years->lineEdit()->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,4}")), years));
    connect(years->lineEdit(), &QLineEdit::returnPressed, this, [this] { TakeYear(true); });
    connect(years->lineEdit(), &QLineEdit::editingFinished, this, [this] { TakeYear(false); });
}

void DatePickers::TakeYear(bool tell) {
    QComboBox* years = Combo1[1];
    const QString typed = years->lineEdit()->text();
    if (const int index = years->findText(typed); index >= 0)
        years->setCurrentIndex(index);
    else if (tell && !typed.isEmpty() && years->count() > 0)
        Services().ShowMessage(years->window(), QMessageBox::Information, QStringLiteral("Год"),
                               QStringLiteral("Года %1 нет в рабочем диапазоне: от %2 до %3.\n"
                                              "Диапазон меняется в меню «Настройка → Диапазон годов...».")
                                   .arg(typed, years->itemText(0), years->itemText(years->count() - 1)));
    // The box shows the chosen year again.
    const QString chosen = years->itemText(years->currentIndex());
    if (years->lineEdit()->text() != chosen)
        years->setEditText(chosen);
}

int DatePickers::NeededWidth() const {
    QComboBox* c = Combo1[0];
    const QFontMetrics fm(c->font());
    // Every list at its widest: week numbers of two digits, month names of both orders.
    QStringList texts = StyleItems() + MonthItems(StyleAnnoMundi) + MonthItems(StyleGregorian) +
                        WeekItems(20, 38, 38) + WeekdayItems(1) + QStringList{QStringLiteral("7608")};
    int widest = 0;
    for (const QString& t : texts)
        widest = std::max(widest, fm.horizontalAdvance(t));
    QStyleOptionComboBox opt;
    opt.initFrom(c);
    const QSize box = c->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(widest, fm.height()), c);
    return box.width() + 4; // the label's own margins inside the field
}

int DatePickers::Place(int left, int top, int stepWidth, int pickerWidth, int height, int gap) {
    int y = top;
    for (int i = 0; i < 5; ++i, y += height + gap) {
        Label1[i]->setGeometry(left, y, stepWidth, height);
        Combo1[i]->setGeometry(left + stepWidth + gap, y, pickerWidth, height);
        Label2[i]->setGeometry(left + stepWidth + gap + pickerWidth + gap, y, stepWidth, height);
    }
    return y - gap;
}

void DatePickers::Fill(QComboBox* combo, const QStringList& items) {
    const QSignalBlocker quiet(combo);
    combo->clear();
    combo->addItems(items);
}

void DatePickers::SetYearsMonths(const CalendarState& st) {
    const int16_t s = st.CurStyle;
    QComboBox* years = Combo1[1];
    const int first = years->count() ? years->itemText(0).toInt() : 0;
    const int last = years->count() ? years->itemText(years->count() - 1).toInt() : 0;
    if (first == st.MinYears[s] && last == st.MaxYears[s])
        return;
    const BusyCursor busy;
    Fill(years, YearItems(st.MinYears[s], st.MaxYears[s]));
    Fill(Combo1[2], MonthItems(s));
}

void DatePickers::SetWeeks(const CalendarState& st) {
    const PaschaBlock& p = st.Pascha;
    const QStringList items = WeekItems(p.PaschaWeek, p.PrevPentecostWeeks, p.PentecostWeeks);
    QComboBox* weeks = Combo1[3];
    bool same = weeks->count() == items.size();
    for (int i = 0; same && i < items.size(); ++i)
        same = weeks->itemText(i) == items[i];
    if (!same)
        Fill(weeks, items);
    // Each week carries its days, shown when the pointer rests on it in the list.
    if (!same || weeksYearStart_ != st.Cur().YearFirstDay || weeksStyle_ != st.CurStyle) {
        weeksYearStart_ = st.Cur().YearFirstDay;
        weeksStyle_ = st.CurStyle;
        for (int i = 0; i < weeks->count(); ++i)
            weeks->setItemData(i, WeekDatesText(st, i + 1), Qt::ToolTipRole);
    }
}

void DatePickers::EnableSteps(const CalendarState& st) {
    for (int16_t i = 0; i < 5; ++i) {
        CalendarState trial = st;
        Label1[i]->setEnabled(Navigation::TryStepBack(trial, i));
        trial = st;
        Label2[i]->setEnabled(Navigation::TryStepForward(trial, i));
    }
}

void DatePickers::SetWeekdayItems(int16_t firstWeekday) {
    Fill(Combo1[4], WeekdayItems(firstWeekday));
}

void DatePickers::SetBackground(const QColor& color) {
    for (QComboBox* c : Combo1) {
        QPalette p = c->palette();
        p.setColor(QPalette::Button, color);
        p.setColor(QPalette::Base, color);
        // Their text stays dark on the light colour of the style, on a dark desktop too.
        p.setColor(QPalette::ButtonText, Qt::black);
        p.setColor(QPalette::Text, Qt::black);
        c->setPalette(p);
    }
}

void DatePickers::BeginUpdate() {
    UpdatingPickers = true;
}

void DatePickers::EndUpdate() {
    UpdatingPickers = false;
    for (QComboBox* c : Combo1)
        if (c->hasFocus())
            PrevListIndex = int16_t(c->currentIndex());
}

void DatePickers::SelectAll(const CalendarState& st, int16_t firstWeekday) {
    const int16_t s = st.CurStyle;
    const StyleDate& r = st.StyleDates[s];
    Combo1[0]->setCurrentIndex(s - 1);
    Combo1[1]->setCurrentIndex(r.Year - st.MinYears[s]);
    Combo1[2]->setCurrentIndex(r.Month - 1);
    SelectWeekAndWeekday(st, firstWeekday);
}

void DatePickers::SelectWeekAndWeekday(const CalendarState& st, int16_t firstWeekday) {
    Combo1[3]->setCurrentIndex(st.Cur().WeekNo - 1);
    Combo1[4]->setCurrentIndex(WeekdayPosition(firstWeekday, st.CurWeekday) - 1);
}

void DatePickers::ReSizeCombo(int bottom) {
    for (int i = 1; i <= 3; ++i) {
        QComboBox* c = Combo1[i];
        const int row = c->count() ? c->view()->sizeHintForRow(0) : 0;
        const int itemHeight = row > 0 ? row : c->fontMetrics().height() + 4;
        const int room = bottom - c->geometry().bottom() - 4;
        c->setMaxVisibleItems(qMax(1, room / itemHeight));
    }
}

void DatePickers::Combo1_Click(int index) {
    if (UpdatingPickers)
        return;
    const int now = Combo1[index]->currentIndex();
    if (now != PrevListIndex)
        Q_EMIT PickerChanged(index, now, PrevListIndex);
    PrevListIndex = int16_t(Combo1[index]->currentIndex());
}

bool DatePickers::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Wheel)
        for (QComboBox* c : Combo1)
            if (c == watched && !c->hasFocus()) {
                event->ignore();
                return true;
            }
    if (event->type() == QEvent::FocusIn)
        for (QComboBox* c : Combo1)
            if (c == watched)
                PrevListIndex = int16_t(c->currentIndex());
    return QObject::eventFilter(watched, event);
}

} // namespace vorelian
