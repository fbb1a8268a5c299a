#include "model/FrequencyLimits.h"

#include "model/ModelTable.h"

namespace rps {

FrequencyLimits FrequencyLimits::forModelCode(uint16_t modelCode, bool fineStep)
{
    FrequencyLimits limits;
    limits.fineStep = fineStep;
    switch (modelCode) {
    case 0x0600:
        limits.lowerMHz = 450.0;
        limits.upperMHz = 520.0;
        break;
    case 0x0700:
    case 0x0702:
    case 0x0703:
        limits.lowerMHz = 400.0;
        limits.upperMHz = 470.0;
        break;
    default:
        break;
    }
    limits.uhf = isUhfBand(findBandRow(modelCode));
    return limits;
}

} // namespace rps
