#include "model/ModelBlock.h"

#include "model/ConfigImage.h"
#include "model/ModelTable.h"

#include <algorithm>

namespace rps {

ModelBlock::ModelBlock(std::span<const uint8_t> sixteenBytes)
{
    bytes_.fill(0xFF);
    std::copy_n(sixteenBytes.begin(), std::min(sixteenBytes.size(), kModelBlockSize), bytes_.begin());
}

ModelBlock ModelBlock::fromModelCode(uint16_t modelCode)
{
    ModelBlock block;
    const bool uhf = (modelCode >> 8) != 4;
    block.setIdentifier(uhf ? kModelRows[3].identifier : kModelRows[0].identifier);
    block.setModelCode(modelCode);
    return block;
}

void ModelBlock::writeTo(std::span<uint8_t> destination) const
{
    std::copy(bytes_.begin(), bytes_.end(), destination.begin());
}

std::string ModelBlock::identifier() const
{
    return std::string(bytes_.begin(), bytes_.begin() + kModelIdentifierLength);
}

void ModelBlock::setIdentifier(const std::string& eightCharacters)
{
    for (std::size_t i = 0; i < kModelIdentifierLength; ++i)
        bytes_[i] = i < eightCharacters.size() ? static_cast<uint8_t>(eightCharacters[i]) : 0xFF;
    bytes_[8] = 0xFF;
    bytes_[9] = 0xFF;
}

void ModelBlock::setModelCode(uint16_t code)
{
    bytes_[10] = static_cast<uint8_t>(code & 0xFF);
    bytes_[11] = static_cast<uint8_t>(code >> 8);
}

void ModelBlock::setOptionFlags(uint16_t flags)
{
    bytes_[14] = static_cast<uint8_t>(flags & 0xFF);
    bytes_[15] = static_cast<uint8_t>(flags >> 8);
}

void ModelBlock::setOptionBits(uint16_t bits, bool set)
{
    const uint16_t flags = optionFlags();
    setOptionFlags(set ? static_cast<uint16_t>(flags | bits) : static_cast<uint16_t>(flags & ~bits));
}

ModelBlock readModelBlock(std::span<const uint8_t> mainArea)
{
    return ModelBlock(mainArea.subspan(kModelBlockOffset, kModelBlockSize));
}

void writeModelBlock(std::span<uint8_t> mainArea, const ModelBlock& block)
{
    block.writeTo(mainArea.subspan(kModelBlockOffset, kModelBlockSize));
}

} // namespace rps
