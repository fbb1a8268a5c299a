#pragma once
#include "forms/common/Grid.h"
