#pragma once
// Changing the model and band of the image from the Model Information form. How much of the
// image survives depends on how far the new model code is from the current one.
#include "model/ConfigImage.h"
#include "model/FrequencyLimits.h"
#include "model/InstallationId.h"

#include <cstdint>
#include <functional>

namespace rps {

enum class ModelChangeKind {
    SameCode,     // nothing to ask; identifier and code are stored again
    SameVariant,  // another band of the same destination: channels re-checked, frequency tables rebuilt
    OtherVariant, // another destination: the image is rebuilt from defaults
};

ModelChangeKind classifyModelChange(uint16_t currentCode, uint16_t newCode);

// The OK/Cancel question to ask before the change (language text), or 0 when none is asked.
int modelChangeQuestion(ModelChangeKind kind);

// Re-checks the channel data against the new band limits; the channel store supplies it.
using ChannelRecheck = std::function<void(const FrequencyLimits&)>;

// Carries out the change on the working copy (the user has already agreed) and recomputes
// the limits for the new model code, keeping their fine-step option. The image is left
// modified against its baseline.
ModelChangeKind applyModelChange(ConfigImage& image, uint16_t newCode, FrequencyLimits& limits,
                                 const InstallationId& installationId, const ChannelRecheck& recheckChannels);

} // namespace rps
