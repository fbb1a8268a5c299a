#pragma once
// The choices of the Model Information form: which model type entry stands for a model code
// and which band is selected when the user picks another model type.
#include <cstdint>

namespace rps {

// The offered model row (destination variant 0) of the same model as the model code.
int offeredModelRowOf(uint16_t modelCode);

// The band selected after the model list moved to modelRow: the first allowed band, counted
// from the model's default band, with the band type of the band selected before; otherwise
// the default band itself.
int bandAfterModelChoice(int modelRow, int previousBandRow);

} // namespace rps
