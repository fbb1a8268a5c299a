#include "forms/feature/FunctionGroups.h"

#include "model/records/FunctionCodePlaces.h"

#include <algorithm>
#include <vector>

namespace rps::feature {

namespace {

constexpr std::array<uint16_t, 3> kGroups[kFunctionGroupCount] = {
    {{0x3037, 0x3137, 0x3237}},      // 0
    {{0x3025, 0x3125, 0x3225}},      // 1
    {{0x3135, 0x3035, 0x3235}},      // 2: repeat hold
    {{0x3034, 0x3134, 0x3234}},      // 3
    {{0x4123, 0x3123, 0x5123}},      // 4: fixed outputs 1..5 driven by keys
    {{0x4223, 0x3223, 0x5223}},      // 5
    {{0x4323, 0x3323, 0x5323}},      // 6
    {{0x4423, 0x3423, 0x5423}},      // 7
    {{0x4523, 0x3523, 0x5523}},      // 8
    {{0x4723, 0x3723, 0x5723}},      // 9: port outputs 1..6 driven by keys
    {{0x4823, 0x3823, 0x5823}},      // 10
    {{0x4923, 0x3923, 0x5923}},      // 11
    {{0x4A23, 0x3A23, 0x5A23}},      // 12
    {{0x4B23, 0x3B23, 0x5B23}},      // 13
    {{0x4C23, 0x3C23, 0x5C23}},      // 14
    {{0x3022, 0x3122, kNoFunction}}, // 15
    {{0x3132, 0x3132, 0x3132}},      // 16: message records 1..8
    {{0x3232, 0x3232, 0x3232}},      // 17
    {{0x3332, 0x3332, 0x3332}},      // 18
    {{0x3432, 0x3432, 0x3432}},      // 19
    {{0x3532, 0x3532, 0x3532}},      // 20
    {{0x3632, 0x3632, 0x3632}},      // 21
    {{0x3732, 0x3732, 0x3732}},      // 22
    {{0x3832, 0x3832, 0x3832}},      // 23
    {{0x313D, 0x303D, 0x323D}},      // 24
    {{0x303E, 0x313E, 0x323E}},      // 25
    {{0x3129, 0x3029, 0x3229}},      // 26: voting pilot tone
    {{0x3136, 0x4136, 0x5136}},      // 27: timers 1..3
    {{0x3236, 0x4236, 0x5236}},      // 28
    {{0x3336, 0x4336, 0x5336}},      // 29
    {{0x3133, 0x3133, 0x3133}},      // 30: connection rows 1..5
    {{0x3233, 0x3233, 0x3233}},      // 31
    {{0x3333, 0x3333, 0x3333}},      // 32
    {{0x3433, 0x3433, 0x3433}},      // 33
    {{0x3533, 0x3533, 0x3533}},      // 34
};

} // namespace

const std::array<uint16_t, 3>* functionGroup(int group)
{
    if (group < 0 || group >= kFunctionGroupCount)
        return nullptr;
    return &kGroups[group];
}

bool removeFunctionGroup(std::span<uint8_t> mainArea, int group)
{
    const auto* codes = functionGroup(group);
    if (!codes)
        return false;
    std::vector<uint16_t> real;
    std::copy_if(codes->begin(), codes->end(), std::back_inserter(real),
                 [](uint16_t code) { return code != kNoFunction; });
    return removeFunctionCodes(mainArea, real);
}

} // namespace rps::feature
