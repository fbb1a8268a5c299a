#pragma once
// The shared value helpers live with the image they serve; forms keep including them here.
#include "model/ValueHelpers.h"
