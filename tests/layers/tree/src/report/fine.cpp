#include "bases/bases.h"
#include "engine/dayinfo.h"
#include "rtf/writer.h"
#  include "report/report.h"
