// Naming the field that holds a byte of the image.
#include "forms/FieldPlaces.h"
#include "ChannelTestImage.h"
#include "model/FeatureMap.h"

#include <gtest/gtest.h>

namespace rps {
namespace {

TEST(FieldPlaces, NamesRecordAndAreaFieldsByTheirBytesAndNothingElse)
{
    test::ChannelTestImage channels;
    channels.program(0, "150.000000");
    channels.program(2, "151.000000");
    const std::span<uint8_t> third = channels.record(2);
    ASSERT_FALSE(third.empty());
    const auto thirdOffset = static_cast<std::size_t>(third.data() - channels.image.main().data());

    fields::FieldEnv env{test::fakeText, channels.limits, '.'};
    const auto lookup = fieldPlaceLookup(channels.image, env);
    // Every byte of channel 3's record start belongs to a channel 3 field.
    const std::string name = lookup(false, thirdOffset);
    EXPECT_NE(name.find(" 3 \"T"), std::string::npos) << name;
    EXPECT_NE(name.find("[channel.3."), std::string::npos) << name;
    EXPECT_EQ(lookup(false, thirdOffset + 1), name) << "a field's second byte";

    EXPECT_NE(lookup(false, feature::kReadPassword).find("["), std::string::npos);
    EXPECT_EQ(lookup(false, kChecksumOffset), "") << "the checksum is no field";
    EXPECT_EQ(lookup(true, 0x04FF), "");
}

} // namespace
} // namespace rps
