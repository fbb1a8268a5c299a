#include "app/LastModelSetting.h"

#include "app/HexText.h"
#include "model/ModelTable.h"

namespace rps {

std::string formatLastModel(const ModelBlock& block)
{
    return formatHexBytes(block.bytes());
}

std::optional<ModelBlock> parseLastModel(std::string_view text)
{
    const auto bytes = parseHexBytes(text, kModelBlockSize);
    if (!bytes) {
        return std::nullopt;
    }
    return ModelBlock(*bytes);
}

std::optional<ModelBlock> startupModelFromSetting(std::string_view text)
{
    auto block = parseLastModel(text);
    if (!block || !isModelBlockValid(*block) || !isAcceptedForOpen(*block)) {
        return std::nullopt;
    }
    block->setOptionBits(kOptionReadPasswordEmpty | kOptionWritePasswordEmpty, true);
    return block;
}

} // namespace rps
