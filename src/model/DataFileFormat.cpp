#include "model/DataFileFormat.h"

#include "model/ImageChecks.h"

#include <algorithm>
#include <ctime>

namespace rps {

namespace {
constexpr std::string_view kDigitSubstitution = "HdR3vGx9Lm";
constexpr std::string_view kPasswordKey = "TXV584";
} // namespace

FilePasswordField scrambleFilePassword(std::string_view password)
{
    FilePasswordField field;
    field.fill(0xFF);
    for (std::size_t i = 0; i < field.size() && i < password.size(); ++i)
        field[i] = static_cast<uint8_t>(password[i]);
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] >= '0' && field[i] <= '9')
            field[i] = static_cast<uint8_t>(kDigitSubstitution[field[i] - '0']);
        field[i] = static_cast<uint8_t>(field[i] ^ static_cast<uint8_t>(kPasswordKey[i]));
    }
    return field;
}

DataFileHeader buildDataFileHeader(const ModelBlock& block, std::optional<std::string_view> password)
{
    DataFileHeader header;
    header.fill(0xFF);
    std::copy(kDataFileTag.begin(), kDataFileTag.end(), header.begin());
    std::copy_n(kDataVersionText, 5, header.begin() + kDataFileVersionOffset);
    block.writeTo(std::span<uint8_t>(header).subspan(kDataFileModelOffset, kModelBlockSize));
    header[kDataFileMarkerOffset] = kDataFileMarker;
    if (password) {
        const FilePasswordField field = scrambleFilePassword(*password);
        std::copy(field.begin(), field.end(), header.begin() + kDataFilePasswordOffset);
    }
    return header;
}

uint8_t chooseDataFileKey(bool encryptMode)
{
    if (!encryptMode)
        return 0;
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    // A leap second (tm_sec 60) would give 120; keep the key inside 1..119.
    const int second = std::min(local.tm_sec, 59);
    return static_cast<uint8_t>(local.tm_min + second + 1);
}

void xorBytes(std::span<uint8_t> bytes, uint8_t key)
{
    if (key == 0)
        return;
    for (uint8_t& b : bytes)
        b = static_cast<uint8_t>(b ^ key);
}

std::string tagProgramName(std::span<const uint8_t> tag)
{
    std::string name;
    for (uint8_t b : tag.first(std::min(tag.size(), kDataFileTagLength))) {
        if (b < 0x20 || b > 0x7E)
            break;
        name.push_back(static_cast<char>(b));
    }
    return name;
}

} // namespace rps
