#include "model/records/ChannelCodes.h"

#include "model/FrequencyText.h"
#include "model/ValueHelpers.h"

#include <cmath>
#include <cstdio>

namespace rps {

const std::array<uint16_t, 39> kQtTones{670,  693,  719,  744,  770,  797,  825,  854,  885,  915,
                                        948,  974,  1000, 1035, 1072, 1109, 1148, 1188, 1230, 1273,
                                        1318, 1365, 1413, 1462, 1514, 1567, 1622, 1679, 1738, 1799,
                                        1862, 1928, 2035, 2107, 2181, 2257, 2336, 2418, 2503};

const std::array<uint16_t, 83> kDqtCodes{
    023,  025,  026,  031,  032,  043,  047,  051,  054,  065,  071,  072,  073,  074,  0114, 0115, 0116,
    0125, 0131, 0132, 0134, 0143, 0152, 0155, 0156, 0162, 0165, 0172, 0174, 0205, 0223, 0226, 0243, 0244,
    0245, 0251, 0261, 0263, 0265, 0271, 0306, 0311, 0315, 0331, 0343, 0346, 0351, 0364, 0365, 0371, 0411,
    0412, 0413, 0423, 0431, 0432, 0445, 0464, 0465, 0466, 0503, 0506, 0516, 0532, 0546, 0565, 0606, 0612,
    0624, 0627, 0631, 0632, 0654, 0662, 0664, 0703, 0712, 0723, 0731, 0732, 0734, 0743, 0754};

std::string formatQtDqt(uint16_t code, std::string_view offText, char decimalSeparator)
{
    if (code == kCodeOff)
        return std::string(offText);
    char buffer[16];
    if (code & kDqtFlag) {
        std::snprintf(buffer, sizeof buffer, "D%03o%c", code & 0x01FFu, (code & kDqtInverted) ? 'I' : 'N');
        return buffer;
    }
    std::snprintf(buffer, sizeof buffer, "%u%c%u", code / 10u, decimalSeparator, code % 10u);
    return buffer;
}

uint16_t parseQtDqt(std::string_view text, std::string_view offText, char decimalSeparator)
{
    const std::string trimmed = trimTrailingSpaces(text);
    std::string_view t = trimmed;
    while (!t.empty() && t.front() == ' ')
        t.remove_prefix(1);
    if (t.empty() || t == offText)
        return kCodeOff;
    if (t.front() == 'D' || t.front() == 'd') {
        unsigned octal = 0;
        for (std::size_t i = 1; i <= 3; ++i) {
            char digit = i < t.size() ? t[i] : '0';
            if (digit < '0')
                digit = '0';
            if (digit > '7')
                digit = '7';
            octal = octal * 8 + static_cast<unsigned>(digit - '0');
        }
        const bool inverted = t.size() > 4 && (t[4] == 'I' || t[4] == 'i');
        return static_cast<uint16_t>(kDqtMarker + octal + (inverted ? 0xA000u : 0x2000u));
    }
    double tenths = parseDecimal(t, decimalSeparator) * 10.0;
    if (!(tenths >= kQtMinTenths)) // also catches NaN
        tenths = kQtMinTenths;
    if (tenths > kQtMaxTenths)
        tenths = kQtMaxTenths;
    return static_cast<uint16_t>(tenths);
}

const std::vector<uint16_t>& qtDqtChoiceCodes()
{
    static const std::vector<uint16_t> codes = [] {
        std::vector<uint16_t> list{kCodeOff};
        list.insert(list.end(), kQtTones.begin(), kQtTones.end());
        for (uint16_t dqt : kDqtCodes)
            list.push_back(static_cast<uint16_t>(kDqtMarker | kDqtFlag | dqt));
        for (uint16_t dqt : kDqtCodes)
            list.push_back(static_cast<uint16_t>(kDqtMarker | kDqtFlag | kDqtInverted | dqt));
        return list;
    }();
    return codes;
}

std::string formatRan(uint16_t ran, std::string_view offText)
{
    if (ran == kCodeOff)
        return std::string(offText);
    if (ran < kRanMin || ran > kRanMax)
        return {};
    return std::to_string(ran);
}

uint16_t parseRan(std::string_view text, std::string_view offText)
{
    const std::string trimmed = trimTrailingSpaces(text);
    if (trimmed.empty() || trimmed == offText)
        return kCodeOff;
    return static_cast<uint16_t>(clampInteger(parseTypedInteger(trimmed), kRanMin, kRanMax));
}

std::string formatKeyData(uint16_t keyData)
{
    return keyData == 0xFFFF ? std::string() : std::to_string(keyData);
}

uint16_t parseKeyData(std::string_view text)
{
    if (trimTrailingSpaces(text).empty())
        return 0xFFFF;
    return static_cast<uint16_t>(clampInteger(parseTypedInteger(text), kKeyDataMin, kKeyDataMax));
}

uint16_t spinKeyData(uint16_t keyData, int direction)
{
    const int64_t value = keyData == 0xFFFF ? 0 : keyData;
    return static_cast<uint16_t>(spinStep(value, direction, kKeyDataMin, kKeyDataMax));
}

std::string formatChannelName(uint16_t stored)
{
    std::string text;
    for (uint8_t byte : {static_cast<uint8_t>(stored & 0xFF), static_cast<uint8_t>(stored >> 8)}) {
        if (byte != 0xFF)
            text.push_back(static_cast<char>(byte));
    }
    return trimTrailingSpaces(text);
}

uint16_t encodeChannelName(std::string_view text)
{
    std::string name(text.substr(0, 2));
    name = trimTrailingSpaces(name);
    if (name.empty() || name == " ")
        return 0xFFFF;
    if (name.size() == 1)
        name.insert(name.begin(), ' '); // one character is shown on the right-hand digit
    return static_cast<uint16_t>(static_cast<uint8_t>(name[0]) | (static_cast<uint8_t>(name[1]) << 8));
}

bool isReservedChannelName(std::string_view text)
{
    for (std::string_view reserved : {"PG", "E1", "E2", "E3", "E4", "E5", "E6"}) {
        if (text == reserved)
            return true;
    }
    return false;
}

std::string defaultChannelName(int channelIndex)
{
    char buffer[8];
    std::snprintf(buffer, sizeof buffer, "%2d", (channelIndex + 1) % 100);
    return buffer;
}

} // namespace rps
