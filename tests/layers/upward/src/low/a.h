#pragma once
// not an include: #include "high/b.h"
#include "high/b.h"
