#include "document/ModelChoice.h"

#include "model/ModelTable.h"

#include <algorithm>

namespace rps {

int offeredModelRowOf(uint16_t modelCode)
{
    const int band = findBandRow(modelCode);
    const std::vector<int> offered = offeredModelRows();
    for (int row : offered) {
        const std::vector<int> bands = allowedBandRows(row);
        if (!bands.empty() && isUhfBand(bands.front()) == isUhfBand(band))
            return row;
    }
    return offered.empty() ? -1 : offered.front();
}

int bandAfterModelChoice(int modelRow, int previousBandRow)
{
    const int fallback = defaultBandRow(modelRow);
    if (previousBandRow < 0 || previousBandRow >= static_cast<int>(kBandRows.size()))
        return fallback;
    const uint8_t wantedType = kBandRows[static_cast<std::size_t>(previousBandRow)].bandType;
    const std::vector<int> bands = allowedBandRows(modelRow);
    const auto start = std::find(bands.begin(), bands.end(), fallback);
    const std::size_t first = start == bands.end() ? 0 : static_cast<std::size_t>(start - bands.begin());
    for (std::size_t i = 0; i < bands.size(); ++i) {
        const int band = bands[(first + i) % bands.size()];
        if (kBandRows[static_cast<std::size_t>(band)].bandType == wantedType)
            return band;
    }
    return fallback;
}

} // namespace rps
