#pragma once

#include "bases/profile.h"
