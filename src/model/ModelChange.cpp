#include "model/ModelChange.h"

#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

namespace rps {

namespace {

constexpr uint8_t kTxStandbyDefault = 0xFF; // off

void storeModel(std::span<uint8_t> main, uint16_t newCode)
{
    ModelBlock block = readModelBlock(main);
    block.setIdentifier(ModelBlock::fromModelCode(newCode).identifier());
    block.setModelCode(newCode);
    writeModelBlock(main, block);
}

} // namespace

ModelChangeKind classifyModelChange(uint16_t currentCode, uint16_t newCode)
{
    if (currentCode == newCode)
        return ModelChangeKind::SameCode;
    if ((currentCode & 0xFF) == (newCode & 0xFF))
        return ModelChangeKind::SameVariant;
    return ModelChangeKind::OtherVariant;
}

int modelChangeQuestion(ModelChangeKind kind)
{
    switch (kind) {
    case ModelChangeKind::SameVariant:
        return 796;
    case ModelChangeKind::OtherVariant:
        return 783;
    default:
        return 0;
    }
}

ModelChangeKind applyModelChange(ConfigImage& image, uint16_t newCode, FrequencyLimits& limits,
                                 const InstallationId& installationId, const ChannelRecheck& recheckChannels)
{
    const ModelChangeKind kind = classifyModelChange(readModelBlock(image.main()).modelCode(), newCode);
    if (kind == ModelChangeKind::OtherVariant) {
        image.clear(); // the reserved bytes and option flags of the model block become 0xFF as well
        storeModel(image.main(), newCode);
        buildDefaults(image, false, false, installationId);
        limits = FrequencyLimits::forModelCode(newCode, limits.fineStep);
        return kind;
    }

    std::span<uint8_t> main = image.main();
    storeModel(main, newCode);
    limits = FrequencyLimits::forModelCode(newCode, limits.fineStep);
    if (kind == ModelChangeKind::SameVariant) {
        if (recheckChannels)
            recheckChannels(limits);
        buildFrequencyTables(main, newCode, limits);
    }
    main[kTxStandbyOffset] = kTxStandbyDefault;
    return kind;
}

} // namespace rps
