#pragma once

#include "core/cp1251.h"
#include "tests/layers/notalayer.h"
