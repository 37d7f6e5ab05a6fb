// The tool's JSON documents and calendar files: asked of the day engine through the report layer's
// export code, so that the tool prints exactly what the window writes and the service sends.
#pragma once

#include "report/exportdays.h"
#include "toolargs.h"

#include <QByteArray>

namespace vorelian::tool {

// The options of the days the tool prints, from its arguments.
DayOptions OptionsOf(const ToolArgs& a);

// The JSON document of the report asked for, about the day `dayNumber`.
QByteArray JsonReport(const ToolArgs& a, const DayEngine& engine, int32_t dayNumber);

// The calendar file of the days asked for.
QByteArray IcalReport(const ToolArgs& a, const DayEngine& engine, DayRange days);

} // namespace vorelian::tool
