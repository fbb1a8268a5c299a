#include "service/TuningItems.h"

#include <algorithm>

namespace rps {

namespace {

// key, name text, spacing, point type, range, display, transmit, width, command bytes per point,
// second value set, destinations
constexpr std::array<TuningItem, kTuningItemRows> kItems{{
    {0, 279, 1, 7, 2, 4, 0, 2, {0xD8, 0xD9, 0xDA, 0xDB, 0xDC, 0xDD, 0xDE}, {}, 3},
    {1, 280, 1, 7, 0, 4, 1, 1, {0xE8, 0xE9, 0xEA, 0xEB, 0xEC, 0xED, 0xEE}, {}, 3},
    {2, 286, 1, 6, 0, 4, 0, 1, {0x1F, 0x35, 0x38, 0x36, 0x39, 0x37}, {}, 3},
    {3, 287, 1, 6, 0, 4, 0, 1, {0xD2, 0xD3, 0xD4, 0xD5, 0xD6, 0xD7}, {}, 3},
    {4, 278, 1, 1, 5, 0, 0, 1, {0xEF}, {}, 3},
    {5, 273, 0, 6, 0, 3, 0, 1, {0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7}, {}, 2},
    {5, 275, 0, 6, 0, 3, 0, 1, {0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7}, {}, 1},
    {6, 276, 1, 6, 0, 3, 0, 1, {0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7}, {}, 3},
    {7, 277, 4, 6, 0, 3, 0, 1, {0xF2, 0xF3, 0xF4, 0xF5, 0xF6, 0xF7}, {}, 3},
    {8, 281, 4, 1, 2, 3, 0, 2, {0x20}, {}, 3},
    {9, 445, 0, 1, 0, 0, 0, 1, {0x76}, {}, 2},
    {9, 399, 0, 1, 0, 0, 0, 1, {0x76}, {}, 1},
    {10, 431, 2, 1, 0, 0, 0, 1, {0x76}, {}, 2},
    {11, 400, 1, 1, 0, 0, 0, 1, {0x76}, {}, 3},
    {12, 446, 0, 1, 0, 0, 0, 1, {0x77}, {}, 2},
    {12, 401, 0, 1, 0, 0, 0, 1, {0x77}, {}, 1},
    {13, 432, 2, 1, 0, 0, 0, 1, {0x77}, {}, 2},
    {14, 402, 1, 1, 0, 0, 0, 1, {0x77}, {}, 3},
    {15, 264, 0, 6, 0, 1, 0, 1, {0x92, 0x93, 0x9A, 0x94, 0x9B, 0x95}, {}, 2},
    {15, 266, 0, 6, 0, 1, 0, 1, {0x92, 0x93, 0x9A, 0x94, 0x9B, 0x95}, {}, 1},
    {16, 265, 2, 6, 0, 1, 0, 1, {0x92, 0x93, 0x9A, 0x94, 0x9B, 0x95}, {}, 2},
    {17, 267, 1, 6, 0, 1, 0, 1, {0x92, 0x93, 0x9A, 0x94, 0x9B, 0x95}, {}, 3},
    {18, 268, 4, 6, 0, 1, 0, 1, {0x92, 0x93, 0x9A, 0x94, 0x9B, 0x95}, {}, 3},
    {19, 269, 0, 6, 0, 1, 0, 1, {0x96, 0x97, 0x9C, 0x98, 0x9D, 0x99}, {}, 2},
    {19, 271, 0, 6, 0, 1, 0, 1, {0x96, 0x97, 0x9C, 0x98, 0x9D, 0x99}, {}, 1},
    {20, 270, 2, 6, 0, 1, 0, 1, {0x96, 0x97, 0x9C, 0x98, 0x9D, 0x99}, {}, 2},
    {21, 272, 1, 6, 0, 1, 0, 1, {0x96, 0x97, 0x9C, 0x98, 0x9D, 0x99}, {}, 3},
    {22, 292, 1, 6, 0, 1, 0, 1, {0x8C, 0x8D, 0x90, 0x8E, 0x91, 0x8F}, {}, 3},
    {23, 296, 2, 6, 0, 1, 0, 1, {0x8C, 0x8D, 0x90, 0x8E, 0x91, 0x8F}, {}, 2},
    {24, 300, 0, 6, 0, 1, 0, 1, {0x8C, 0x8D, 0x90, 0x8E, 0x91, 0x8F}, {}, 2},
    {24, 341, 0, 6, 0, 1, 0, 1, {0x8C, 0x8D, 0x90, 0x8E, 0x91, 0x8F}, {}, 1},
    {25, 304, 4, 6, 0, 1, 0, 1, {0x8C, 0x8D, 0x90, 0x8E, 0x91, 0x8F}, {}, 3},
    {26, 308, 1, 6, 0, 1, 0, 1, {0xAB, 0xAC, 0xA7, 0xAD, 0xA8, 0xAE}, {}, 3},
    {27, 312, 2, 6, 0, 1, 0, 1, {0xAB, 0xAC, 0xA7, 0xAD, 0xA8, 0xAE}, {}, 2},
    {28, 316, 0, 6, 0, 1, 0, 1, {0xAB, 0xAC, 0xA7, 0xAD, 0xA8, 0xAE}, {}, 2},
    {28, 342, 0, 6, 0, 1, 0, 1, {0xAB, 0xAC, 0xA7, 0xAD, 0xA8, 0xAE}, {}, 1},
    {29, 320, 4, 6, 0, 1, 0, 1, {0xAB, 0xAC, 0xA7, 0xAD, 0xA8, 0xAE}, {}, 3},
    {30, 324, 1, 6, 0, 1, 0, 1, {0xAF, 0xB0, 0xA9, 0xB1, 0xAA, 0xB2}, {}, 3},
    {31, 328, 2, 6, 0, 1, 0, 1, {0xAF, 0xB0, 0xA9, 0xB1, 0xAA, 0xB2}, {}, 2},
    {32, 332, 0, 6, 0, 1, 0, 1, {0xAF, 0xB0, 0xA9, 0xB1, 0xAA, 0xB2}, {}, 2},
    {32, 343, 0, 6, 0, 1, 0, 1, {0xAF, 0xB0, 0xA9, 0xB1, 0xAA, 0xB2}, {}, 1},
    {33, 336, 4, 6, 0, 1, 0, 1, {0xAF, 0xB0, 0xA9, 0xB1, 0xAA, 0xB2}, {}, 3},
    {34, 284, 1, 6, 0, 0, 1, 1, {0xC6, 0xC7, 0xC8, 0xC9, 0xCA, 0xCB}, {}, 3},
    {35, 262, 1, 6, 1, 0, 1, 2, {0x12, 0x30, 0x33, 0x31, 0x34, 0x32}, {}, 3},
    {36, 285, 1, 6, 0, 0, 1, 1, {0xCC, 0xCD, 0xCE, 0xCF, 0xD0, 0xD1}, {}, 3},
    {37, 263, 1, 6, 1, 0, 1, 2, {0x14, 0x60, 0x63, 0x61, 0x64, 0x62}, {}, 3},
    {38, 407, 3, 1, 1, 0, 1, 2, {0xB4}, {}, 3},
    {39, 408, 4, 1, 1, 0, 1, 2, {0xB4}, {}, 3},
    {40, 447, 0, 1, 1, 0, 1, 2, {0x24}, {}, 2},
    {40, 409, 0, 1, 1, 0, 1, 2, {0x24}, {}, 1},
    {41, 433, 2, 1, 1, 0, 1, 2, {0x24}, {}, 2},
    {42, 410, 1, 1, 1, 0, 1, 2, {0x24}, {}, 3},
    {43,
     283,
     1,
     7,
     0,
     5,
     1,
     1,
     {0x17, 0x65, 0x66, 0x67, 0x68, 0x69, 0x6A},
     {0x18, 0x6B, 0x6C, 0x6E, 0x6F, 0x70, 0x71},
     3},
    {44, 449, 0, 1, 0, 0, 1, 1, {0x79}, {}, 2},
    {44, 405, 0, 1, 0, 0, 1, 1, {0x79}, {}, 1},
    {45, 435, 2, 1, 0, 0, 1, 1, {0x79}, {}, 2},
    {46, 406, 1, 1, 0, 0, 1, 1, {0x79}, {}, 3},
    {47, 448, 0, 1, 0, 0, 1, 1, {0x78}, {}, 2},
    {47, 403, 0, 1, 0, 0, 1, 1, {0x78}, {}, 1},
    {48, 434, 2, 1, 0, 0, 1, 1, {0x78}, {}, 2},
    {49, 404, 1, 1, 0, 0, 1, 1, {0x78}, {}, 3},
    {50, 450, 0, 1, 1, 0, 1, 2, {0x19}, {}, 2},
    {50, 411, 0, 1, 1, 0, 1, 2, {0x19}, {}, 1},
    {51, 436, 2, 1, 1, 0, 1, 2, {0x19}, {}, 2},
    {52, 412, 1, 1, 1, 0, 1, 2, {0x19}, {}, 3},
    {53, 451, 0, 1, 1, 0, 1, 2, {0x1A}, {}, 2},
    {53, 413, 0, 1, 1, 0, 1, 2, {0x1A}, {}, 1},
    {54, 437, 2, 1, 1, 0, 1, 2, {0x1A}, {}, 2},
    {55, 414, 1, 1, 1, 0, 1, 2, {0x1A}, {}, 3},
    {56, 454, 0, 1, 1, 0, 1, 2, {0x1D}, {}, 2},
    {56, 419, 0, 1, 1, 0, 1, 2, {0x1D}, {}, 1},
    {57, 440, 2, 1, 1, 0, 1, 2, {0x1D}, {}, 2},
    {58, 420, 1, 1, 1, 0, 1, 2, {0x1D}, {}, 3},
    {59, 453, 0, 1, 0, 0, 1, 1, {0x1B}, {}, 2},
    {59, 417, 0, 1, 0, 0, 1, 1, {0x1B}, {}, 1},
    {60, 439, 2, 1, 0, 0, 1, 1, {0x1B}, {}, 2},
    {61, 418, 1, 1, 0, 0, 1, 1, {0x1B}, {}, 3},
    {62, 452, 0, 1, 1, 0, 1, 2, {0x87}, {}, 2},
    {62, 415, 0, 1, 1, 0, 1, 2, {0x87}, {}, 1},
    {63, 438, 2, 1, 1, 0, 1, 2, {0x87}, {}, 2},
    {64, 416, 1, 1, 1, 0, 1, 2, {0x87}, {}, 3},
    {65, 455, 0, 1, 0, 0, 1, 1, {0x1C}, {}, 2},
    {65, 421, 0, 1, 0, 0, 1, 1, {0x1C}, {}, 1},
    {66, 441, 2, 1, 0, 0, 1, 1, {0x1C}, {}, 2},
    {67, 422, 1, 1, 0, 0, 1, 1, {0x1C}, {}, 3},
    {68, 456, 0, 1, 0, 0, 1, 1, {0x1E}, {}, 2},
    {68, 371, 0, 1, 0, 0, 1, 1, {0x1E}, {}, 1},
    {69, 442, 2, 1, 0, 0, 1, 1, {0x1E}, {}, 2},
    {70, 372, 1, 1, 0, 0, 1, 1, {0x1E}, {}, 3},
    {71, 282, 4, 1, 4, 2, 0, 1, {0xB3}, {}, 3},
}};

constexpr char kSpacingLetters[] = {'F', 'G', 'L', 'M', 'C'};

} // namespace

std::span<const TuningItem> tuningItems()
{
    return kItems;
}

bool isFirstTuningGroup(uint16_t modelCode)
{
    return modelCode == 0x0402 || modelCode == 0x0702;
}

std::vector<const TuningItem*> tuningItemsForModel(uint16_t modelCode)
{
    const uint8_t bit = isFirstTuningGroup(modelCode) ? kTuningForFirstGroup : kTuningForOtherModels;
    std::vector<const TuningItem*> rows;
    for (const TuningItem& item : kItems)
        if (item.destinations & bit)
            rows.push_back(&item);
    return rows;
}

const TuningItem* tuningItemForKey(int key, uint16_t modelCode)
{
    for (const TuningItem* item : tuningItemsForModel(modelCode))
        if (item->key == key)
            return item;
    return nullptr;
}

int tuningPointCount(const TuningItem& item)
{
    return item.pointType;
}

std::vector<int> tuningPointLabels(const TuningItem& item)
{
    switch (item.pointType) {
    case 6:
        return {692, 693, 694, 695, 696, 697};
    case 7:
        return {692, 699, 727, 701, 700, 728, 702};
    default:
        return {692};
    }
}

uint8_t tuningCommand(const TuningItem& item, int point)
{
    return item.commands[static_cast<std::size_t>(std::clamp(point, 0, tuningPointCount(item) - 1))];
}

int tuningValueCount(const TuningItem& item)
{
    return item.displayCode == 2 ? 2 : 1;
}

char spacingLetter(int spacing)
{
    return kSpacingLetters[std::clamp(spacing, 0, 4)];
}

TuningLayout tuningLayout(const TuningItem& item)
{
    switch (item.displayCode) {
    case 2:
        return TuningLayout::TwoValues;
    case 3:
        return TuningLayout::Automatic;
    case 4:
        return TuningLayout::LockVoltage;
    default:
        return TuningLayout::SingleValue;
    }
}

int tuningCurrentLabelText(const TuningItem& item)
{
    switch (item.displayCode) {
    case 0:
    case 3:
    case 4:
    case 5:
        return 690;
    default:
        return 726;
    }
}

int tuningApplyText(const TuningItem& item)
{
    return tuningPointCount(item) > 1 ? 48 : 47;
}

TuningRange tuningRange(int rangeCode)
{
    switch (rangeCode) {
    case 1:
        return {0, 1023, 0, 1023};
    case 2:
        return {0, 4095, 0, 4095};
    case 3:
        return {0, 65535, 0, 65535};
    case 4:
        return {-62, 62, 0, 123};
    case 5:
        return {-128, -1, 0, 127};
    default:
        return {0, 255, 0, 255};
    }
}

int tuningShownValue(int rangeCode, int raw)
{
    if (rangeCode == 5)
        return raw - 128;
    if (rangeCode != 4)
        return raw;
    if (raw <= 62)
        return raw - 62;
    if (raw <= 122)
        return raw - 61;
    return 62;
}

int tuningRawValue(int rangeCode, int shown)
{
    if (rangeCode == 5)
        return shown + 128;
    if (rangeCode != 4)
        return shown;
    if (shown < -62)
        return 0;
    if (shown <= 0)
        return shown + 62;
    if (shown == 1)
        return 62;
    if (shown <= 62)
        return shown + 61;
    return 124;
}

std::optional<int> tuningStepRaw(int rangeCode, int raw, int delta)
{
    const TuningRange range = tuningRange(rangeCode);
    const int next = raw + delta;
    if (next < range.rawMin || next > range.rawMax)
        return std::nullopt;
    return next;
}

} // namespace rps
