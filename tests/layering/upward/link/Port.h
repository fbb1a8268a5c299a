#pragma once
#include "app/Shell.h"
