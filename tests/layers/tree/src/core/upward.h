#pragma once

#include "../ui/monthgrid.h"
#include "core/state.h"
