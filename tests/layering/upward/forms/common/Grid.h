#pragma once
#include "forms/fields/Engine.h"
#include <vector>
