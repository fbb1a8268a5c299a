#pragma once
// The default image: what New, a model change to another destination variant and start-up
// put into a cleared working copy.
#include "model/ConfigImage.h"
#include "model/FrequencyLimits.h"
#include "model/InstallationId.h"

#include <cstdint>
#include <span>

namespace rps {

inline constexpr char kDefaultDataFileName[] = "rps360t.dat";

// Fills the defaults into the working copy (which Clear has left 0xFF). restoreDefaultModel
// puts the first model of the table into the model block; setOption3 sets bit 3 of its
// option flags. The frequency limits of the resulting model code are used for the default
// test and tuning frequencies.
void buildDefaults(ConfigImage& image, bool restoreDefaultModel, bool setOption3,
                   const InstallationId& installationId);

// The test frequency table and the tuning frequency table of the model code's band, each
// converted with the channel frequency rule against the given limits.
void buildFrequencyTables(std::span<uint8_t> main, uint16_t modelCode, const FrequencyLimits& limits);

// New of the current model: keep the model block, clear, put it back, build the defaults,
// switch the two password options and option 3 off, and mark the result clean.
void newImage(ConfigImage& image, const InstallationId& installationId);

} // namespace rps
