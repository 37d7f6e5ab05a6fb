#include "report/dayblock.h"

#include "core/tables.h"
#include "report/dialect.h"

namespace vorelian {

QString WeekdayLine(ReportContext& ctx) {
    const PlacedView live{&ctx.Data.Bases};
    const WeekdayLineParts parts = WeekdayLineOf(FactsOfState(ctx.State), live);
    if (parts.Red)
        ctx.Out.DayIsRed = true;
    ctx.Out.Tone = parts.Tone;
    QString line = parts.Stored;
    line += dialect::Par;
    return line;
}

} // namespace vorelian
