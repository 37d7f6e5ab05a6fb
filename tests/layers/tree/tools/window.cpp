#include "report/report.h"
#include <ui/frmcalendar.h>
