#include "model/ModelTable.h"

#include <algorithm>
#include <cstring>

namespace rps {

int findModelRow(const ModelBlock& block)
{
    const std::string id = block.identifier();
    for (std::size_t i = 0; i < kModelRows.size(); ++i) {
        if (id == kModelRows[i].identifier && block.destinationVariant() == kModelRows[i].destinationVariant)
            return static_cast<int>(i);
    }
    return -1;
}

int findBandRow(uint16_t modelCode)
{
    for (std::size_t i = 0; i < kBandRows.size(); ++i) {
        if (kBandRows[i].modelCode == modelCode)
            return static_cast<int>(i);
    }
    return -1;
}

bool isModelBlockValid(const ModelBlock& block)
{
    const int row = findModelRow(block);
    const int band = findBandRow(block.modelCode());
    if (row < 0 || band < 0)
        return false;
    const auto& allowed = kModelRows[static_cast<std::size_t>(row)].bands;
    return std::find(allowed.begin(), allowed.end(), band) != allowed.end();
}

bool isModelCodeAccepted(uint16_t modelCode)
{
    return std::find(kAcceptedModelCodes.begin(), kAcceptedModelCodes.end(), modelCode) !=
           kAcceptedModelCodes.end();
}

bool isAcceptedForOpen(const ModelBlock& block)
{
    return isModelBlockValid(block) && block.reservedBytesEmpty() && isModelCodeAccepted(block.modelCode());
}

bool isUnprogrammedUnit(std::span<const uint8_t> record)
{
    return record.size() >= kUnprogrammedCompareLength &&
           std::equal(record.begin(), record.begin() + kUnprogrammedCompareLength,
                      kUnprogrammedUnitCode.begin());
}

bool isUhfBand(int bandRow)
{
    return bandRow > 2;
}

std::string displayName(int modelRow)
{
    if (modelRow < 0 || modelRow >= static_cast<int>(kModelRows.size()))
        return {};
    const ModelRow& row = kModelRows[static_cast<std::size_t>(modelRow)];
    return std::string(row.name) + ":" + row.suffix;
}

std::string shortTitle(int modelRow, int bandRow)
{
    return displayName(modelRow) + (isUhfBand(bandRow) ? " [UHF]" : " [VHF]");
}

std::string modelDescription(int modelRow, int bandRow)
{
    if (bandRow < 0 || bandRow >= static_cast<int>(kBandRows.size()))
        return displayName(modelRow);
    return displayName(modelRow) + "  " + (isUhfBand(bandRow) ? "UHF:" : "VHF:") + " " +
           kBandRows[static_cast<std::size_t>(bandRow)].label;
}

int identifyRepeater(std::span<const uint8_t> record)
{
    if (isUnprogrammedUnit(record))
        return 0;
    const int row = findModelRow(ModelBlock(record));
    return row < 0 ? -1 : row + 1;
}

std::vector<int> offeredModelRows()
{
    std::vector<int> rows;
    for (std::size_t i = 0; i < kModelRows.size(); ++i) {
        if (kModelRows[i].destinationVariant == 0)
            rows.push_back(static_cast<int>(i));
    }
    return rows;
}

std::vector<int> allowedBandRows(int modelRow)
{
    std::vector<int> bands;
    if (modelRow < 0 || modelRow >= static_cast<int>(kModelRows.size()))
        return bands;
    for (int band : kModelRows[static_cast<std::size_t>(modelRow)].bands) {
        if (band >= 0)
            bands.push_back(band);
    }
    return bands;
}

int defaultBandRow(int modelRow)
{
    if (modelRow == 3)
        return 4; // the UHF model defaults to 400-470 MHz
    const auto bands = allowedBandRows(modelRow);
    return bands.empty() ? -1 : bands.front();
}

} // namespace rps
