#pragma once
#include "low/a.h"
#include "high/c.h"
