#include "report/dayblock.h"

#include "core/tables.h"
#include "report/dialect.h"

namespace vorelian {

QString JoinWithSpace(const QString& acc, QStringView text) {
    QString s = acc;
    if (!s.isEmpty())
        s += u' ';
    s += text;
    return s;
}

QString JoinAfterPeriod(const QString& acc, QStringView text) {
    QString s = acc;
    if (s.endsWith(u'.'))
        s.chop(1);
    s += text;
    return s;
}

QString WeekPhrase(int16_t weekday, int w, int p, int k) {
    const auto numbered = [](int n, QStringView text) {
        QString s = QString::number(n);
        s += text;
        return s;
    };
    if (weekday == 7) {
        // The Sunday that opens a week is counted one lower than the weekdays after it.
        if (w < p - 7)
            return numbered(w + k - 2, u"-я по Пятидесятнице.");
        if (w < p - 1)
            return numbered(w - p + 7, u"-я Великого поста.");
        if (w == p - 1)
            return QStringLiteral("Страстной седмицы.");
        if (w < p + 7)
            return numbered(w - p + 1, u"-я по Пасхе.");
        return numbered(w - p - 7, u"-я по Пятидесятнице.");
    }
    if (w < p - 7)
        return numbered(w + k - 1, u"-ой седмицы по Пятидесятнице.");
    if (w < p - 1)
        return numbered(w - p + 8, u"-ой седмицы Великого поста.");
    if (w == p - 1)
        return QStringLiteral("Страстной седмицы.");
    if (w == p)
        return QStringLiteral("Светлой седмицы.");
    if (w < p + 7)
        return numbered(w - p + 1, u"-ой седмицы по Пасхе.");
    return numbered(w - p - 6, u"-ой седмицы по Пятидесятнице.");
}

int16_t ToneOfDay(int32_t d, int32_t paschaDay, int32_t prevPaschaDay) {
    const int32_t b = d - paschaDay;
    // Palm Sunday to Bright Saturday, and the week of Pentecost, have no tone.
    if ((b >= -7 && b <= 6) || (b >= 49 && b <= 55))
        return 0;
    const int32_t x = b < 0 ? d - prevPaschaDay - 7 : b - 7;
    int32_t tone = (x / 7 + 1) % 8;
    if (tone == 0)
        tone = 8;
    return static_cast<int16_t>(tone);
}

QString WeekdayLine(ReportContext& ctx) {
    const CalendarState& st = ctx.State;
    const Bases& b = ctx.Data.Bases;
    const int32_t d = st.CurDayNumber;
    QString special, continuation;
    bool continued = false;
    const auto take = [&](bool isRed, const QString& text) {
        if (isRed)
            ctx.Out.DayIsRed = true;
        if (text.startsWith(u',')) {
            continuation = JoinAfterPeriod(continuation, text);
            continued = true;
        } else {
            special = JoinWithSpace(special, text);
        }
    };
    for (int i = 1; i <= b.WeekdaysCount; ++i)
        if (BelongsWeekdays(b, i, d))
            take(b.WeekdaysRed[i], b.WeekdaysText[i]);
    for (int i = 1; i <= b.Weekdays1Count; ++i)
        if (BelongsWeekdays1(b, i, d))
            take(b.Weekdays1Red[i], b.Weekdays1Text[i]);
    for (int i = 1; i <= b.SpecWeekDaysCount; ++i)
        if (BelongsSpecWeekDays(b, i, d))
            take(b.SpecWeekDaysRed[i], b.SpecWeekDaysText[i]);

    QString line;
    if (!special.isEmpty()) {
        line += dialect::Blank;
        line += special;
    }
    if (special.isEmpty() || continued) {
        line += dialect::Blank;
        line += WeekdayNames[7 + st.CurWeekday];
        line += u' ';
        line +=
            WeekPhrase(st.CurWeekday, st.Cur().WeekNo, st.Pascha.PaschaWeek, st.Pascha.PrevPentecostWeeks);
    }
    if (continued)
        line = JoinAfterPeriod(line, continuation);

    ctx.Out.Tone = ToneOfDay(d, st.Pascha.PaschaDay, st.Pascha.PrevPaschaDay);
    if (ctx.Out.Tone != 0) {
        line += u" Глас ";
        line += QString::number(ctx.Out.Tone);
        line += u"-й.";
    }
    line += dialect::Par;
    return line;
}

} // namespace vorelian
