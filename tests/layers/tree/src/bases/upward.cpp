#include "upward.h"

#include "bases/bases.h"
#include "core/state.h"
#include "report/report.h"

#include <QString>
