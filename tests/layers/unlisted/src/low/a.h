#pragma once
#include "other/x.h"
