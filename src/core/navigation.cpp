#include "core/navigation.h"

#include "core/calendar.h"
#include "core/dates.h"
#include "core/recalc.h"
#include "core/tables.h"

#include <QRegularExpression>
#include <QStringList>

namespace vorelian::Navigation {

bool DayAllowed(const CalendarState& st, int16_t style, int32_t day) {
    return day >= st.MinDayNumbers[style] && day <= st.MaxDayNumbers[style];
}

bool TryStyle(CalendarState& st, int16_t style) {
    if (!DayAllowed(st, style, st.CurDayNumber))
        return false;
    st.CurStyle = style;
    ApplyStyle(st);
    return true;
}

bool TryShiftDays(CalendarState& st, int32_t days) {
    if (!DayAllowed(st, st.CurStyle, st.CurDayNumber + days))
        return false;
    ShiftDays(st, days);
    return true;
}

bool TryPickerChanged(CalendarState& st, int16_t index, int16_t newIndex, int16_t oldIndex) {
    StyleDate& r = st.Cur();
    switch (index) {
    case PickStyle:
        return TryStyle(st, int16_t(newIndex + 1));
    case PickYear:
        r.Year = int16_t(st.MinYears[st.CurStyle] + newIndex);
        RecalcYear(st);
        return true;
    case PickMonth:
        r.Month = int16_t(newIndex + 1);
        RecalcMonth(st);
        return true;
    case PickWeek:
        return TryShiftDays(st, 7 * (newIndex - oldIndex));
    case PickWeekday:
        return TryShiftDays(st, newIndex - oldIndex);
    }
    return false;
}

bool TryStepBack(CalendarState& st, int16_t index) {
    StyleDate& r = st.Cur();
    const int16_t lowest = st.MinYears[st.CurStyle];
    switch (index) {
    case PickStyle:
        return TryStyle(st, int16_t(st.CurStyle == 1 ? 3 : st.CurStyle - 1));
    case PickYear:
        if (r.Year <= lowest)
            return false;
        --r.Year;
        RecalcYear(st);
        return true;
    case PickMonth:
        if (r.Month > 1) {
            --r.Month;
            RecalcMonth(st);
        } else if (r.Year > lowest) {
            --r.Year;
            r.Month = 12;
            RecalcYear(st);
        } else {
            return false;
        }
        return true;
    case PickWeek:
        return TryShiftDays(st, -7);
    case PickWeekday:
        return TryShiftDays(st, -1);
    }
    return false;
}

bool TryStepForward(CalendarState& st, int16_t index) {
    StyleDate& r = st.Cur();
    const int16_t highest = st.MaxYears[st.CurStyle];
    switch (index) {
    case PickStyle:
        return TryStyle(st, int16_t(st.CurStyle == 3 ? 1 : st.CurStyle + 1));
    case PickYear:
        if (r.Year >= highest)
            return false;
        ++r.Year;
        RecalcYear(st);
        return true;
    case PickMonth:
        if (r.Month < 12) {
            ++r.Month;
            RecalcMonth(st);
        } else if (r.Year < highest) {
            ++r.Year;
            r.Month = 1;
            RecalcYear(st);
        } else {
            return false;
        }
        return true;
    case PickWeek:
        return TryShiftDays(st, 7);
    case PickWeekday:
        return TryShiftDays(st, 1);
    }
    return false;
}

void MoveToAdjacentMonthDay(CalendarState& st, int16_t day, int16_t column) {
    StyleDate& r = st.Cur();
    r.Day = day;
    if (column == 1) {
        if (r.Month == 1) {
            --r.Year;
            r.Month = 12;
            RecalcYear(st);
        } else {
            --r.Month;
            RecalcMonth(st);
        }
    } else if (r.Month == 12) {
        ++r.Year;
        r.Month = 1;
        RecalcYear(st);
    } else {
        ++r.Month;
        RecalcMonth(st);
    }
}

void MoveToDay(CalendarState& st, int16_t day) {
    st.Cur().Day = day;
    RecalcDay(st);
}

namespace {

// Month m of a style's own order from a civil month (1 January).
int16_t StyleMonthOf(int16_t style, int16_t civil) {
    return style == StyleAnnoMundi ? int16_t((civil + 3) % 12 + 1) : civil;
}

// The civil month a word names: a month name in either case, or three letters or more of its start
// that fit one month only. 0 when none.
int16_t MonthOfWord(const QString& word) {
    if (word.size() < 3)
        return 0;
    int16_t found = 0;
    for (int16_t m = 1; m <= 12; ++m) {
        const QString& nominative = MonthNameOf(m, 1);
        const QString& genitive = MonthNameOf(m, 2);
        if (word.compare(nominative, Qt::CaseInsensitive) == 0 ||
            word.compare(genitive, Qt::CaseInsensitive) == 0)
            return m;
        if (nominative.startsWith(word, Qt::CaseInsensitive) ||
            genitive.startsWith(word, Qt::CaseInsensitive)) {
            if (found != 0 && found != m)
                return 0;
            found = m;
        }
    }
    return found;
}

// "1 января 1901" for a date of a style.
QString DateWords(int16_t style, int16_t day, int16_t month, int16_t year) {
    return QStringLiteral("%1 %2 %3").arg(day).arg(MonthNameOf(CivilMonthOf(style, month), 2)).arg(year);
}

QString DaysWord(int n) {
    return n == 31 ? QStringLiteral("%1 день").arg(n) : QStringLiteral("%1 дней").arg(n);
}

std::optional<TypedDate> Fail(QString* error, const QString& why) {
    if (error)
        *error = why;
    return std::nullopt;
}

} // namespace

namespace {

// A day, a month in the style's order and a year of a style checked against the calendar and the range.
std::optional<TypedDate> CheckTypedDate(const CalendarState& st, int16_t style, int day, int month, int year,
                                        QString* error) {
    if (month < 1 || month > 12) {
        const QString order = style == StyleAnnoMundi ? QStringLiteral(" (1 — сентябрь, 12 — август)")
                                                      : QStringLiteral(" (1 — январь, 12 — декабрь)");
        return Fail(
            error,
            QStringLiteral("Месяца с номером %1 нет: месяцы нумеруются от 1 до 12%2.").arg(month).arg(order));
    }
    if (year < st.MinYears[style] || year > st.MaxYears[style])
        return Fail(error, QStringLiteral("Год %1 вне диапазона годов: с %2 по %3.")
                               .arg(year)
                               .arg(st.MinYears[style])
                               .arg(st.MaxYears[style]));
    // A day the month has comes back unchanged from its day number.
    const TypedDate typed{int16_t(day), int16_t(month), int16_t(year)};
    const DateParts back = DatesOf(DayNumber(style, typed.Day, typed.Month, typed.Year)).In(style);
    if (day < 1 || back.Day != day || back.Month != month || back.Year != year) {
        // The length of that month in that year: the day before the 1st of the month after it.
        const int16_t nextMonth = int16_t(month % 12 + 1);
        const int16_t nextYear = int16_t(month == 12 ? year + 1 : year);
        const DateParts last = DatesOf(DayNumber(style, 1, nextMonth, nextYear) - 1).In(style);
        return Fail(error, QStringLiteral("Такого дня нет: в месяце «%1» %2 года %3.")
                               .arg(MonthNameOf(CivilMonthOf(style, int16_t(month)), 1).toLower())
                               .arg(year)
                               .arg(DaysWord(last.Day)));
    }
    const int32_t n = DayNumber(style, typed.Day, typed.Month, typed.Year);
    if (!DayAllowed(st, style, n))
        return Fail(error, QStringLiteral("Дата вне диапазона: с %1 по %2 года.")
                               .arg(DateWords(style, 1, 1, st.MinYears[style]),
                                    DateWords(style, 31, 12, st.MaxYears[style])));
    return typed;
}

// "2027-05-02": year, month and day of the new style, as the service's addresses write a day; the same
// day in `style`.
std::optional<TypedDate> ParseIsoDate(const CalendarState& st, int16_t style, int year, int month, int day,
                                      QString* error) {
    const auto gregorian = CheckTypedDate(st, StyleGregorian, day, month, year, error);
    if (!gregorian || style == StyleGregorian)
        return gregorian;
    const DateParts d =
        DatesOf(DayNumber(StyleGregorian, gregorian->Day, gregorian->Month, gregorian->Year)).In(style);
    return CheckTypedDate(st, style, d.Day, d.Month, d.Year, error);
}

} // namespace

std::optional<TypedDate> ParseTypedDate(const CalendarState& st, int16_t style, const QString& text,
                                        QString* error) {
    static const QRegularExpression iso(QStringLiteral("^\\s*(\\d{1,4})-(\\d{1,2})-(\\d{1,2})\\s*$"));
    if (const QRegularExpressionMatch m = iso.match(text); m.hasMatch())
        return ParseIsoDate(st, style, m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt(),
                            error);
    static const QRegularExpression separators(QStringLiteral("[\\s.,/\\\\-]+"));
    QStringList words = text.split(separators, Qt::SkipEmptyParts);
    words.removeIf([](const QString& w) {
        return w.compare(QStringLiteral("г"), Qt::CaseInsensitive) == 0 ||
               w.compare(QStringLiteral("год"), Qt::CaseInsensitive) == 0 ||
               w.compare(QStringLiteral("года"), Qt::CaseInsensitive) == 0;
    });
    const StyleDate& now = st.StyleDates[style];
    if (words.size() == 2) // a day and a month: in the year of the current day
        words << QString::number(now.Year);
    const QString example = QStringLiteral("Введите день, месяц и год, например: %1.")
                                .arg(DateWords(style, now.Day, now.Month, now.Year));
    if (words.size() != 3)
        return Fail(error, QStringLiteral("Не удалось прочесть дату. ") + example);

    bool dayOk = false, yearOk = false, monthIsNumber = false;
    const int day = words[0].toInt(&dayOk);
    const int year = words[2].toInt(&yearOk);
    int month = words[1].toInt(&monthIsNumber);
    if (!monthIsNumber) {
        const int16_t civil = MonthOfWord(words[1]);
        if (civil == 0)
            return Fail(error, QStringLiteral("Месяц «%1» не найден. ").arg(words[1]) + example);
        month = StyleMonthOf(style, civil);
    }
    if (!dayOk || !yearOk)
        return Fail(error, QStringLiteral("Не удалось прочесть дату. ") + example);
    return CheckTypedDate(st, style, day, month, year, error);
}

void GoToDate(CalendarState& st, const TypedDate& date) {
    StyleDate& r = st.Cur();
    r.Day = date.Day;
    r.Month = date.Month;
    r.Year = date.Year;
    RecalcYear(st);
}

} // namespace vorelian::Navigation
