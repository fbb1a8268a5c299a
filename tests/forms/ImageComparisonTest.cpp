// Comparing two images: fields by form, record and caption, then the bytes no differing field
// holds, then the stamps a write sets.
#include "forms/ImageComparison.h"
#include "forms/FieldForms.h"
#include "model/DefaultBuilder.h"
#include "model/ImageChecks.h"
#include "model/ImageMap.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace rps {
namespace {

std::string fakeText(int number)
{
    return "T" + std::to_string(number);
}

class ImageComparisonTest : public ::testing::Test {
protected:
    ImageComparisonTest()
    {
        InstallationId id;
        id.fill(0xFF);
        newImage(*first, id);
        *second = *first;
        env.texts = fakeText;
        env.limits = FrequencyLimits::forModelCode(0x0400, false);
    }
    void enter(ConfigImage& image, const std::string& key, const std::string& text)
    {
        const DeclaredForm* form = findDeclaredForm(key.substr(0, key.find('.')));
        ASSERT_NE(form, nullptr);
        const auto session = form->open(image, env);
        const auto field = findField(*form, session->engine(), key);
        ASSERT_TRUE(field) << key;
        ASSERT_FALSE(enterFieldText(session->engine(), *field, text).refused) << key;
    }
    ImageComparison compare() const
    {
        return compareImages({first->working(), env}, {second->working(), env});
    }

    std::unique_ptr<ConfigImage> first = std::make_unique<ConfigImage>();
    std::unique_ptr<ConfigImage> second = std::make_unique<ConfigImage>();
    fields::FieldEnv env;
};

TEST_F(ImageComparisonTest, EqualImagesHaveNoDifferenceAndTheLocalBlockIsNotCompared)
{
    second->local()[3] ^= 0xFF;
    EXPECT_TRUE(compare().same());
}

TEST_F(ImageComparisonTest, AFieldIsListedWithBothShownValuesAndItsBytesAreNotListedRaw)
{
    enter(*first, "channel.3.rx-frequency", "150");
    enter(*second, "channel.3.rx-frequency", "150");
    enter(*second, "channel.3.rx-frequency", "151");
    const ImageComparison result = compare();
    ASSERT_EQ(result.fields.size(), 1u);
    const FieldDifference& field = result.fields[0];
    EXPECT_EQ(field.formKey, "channel");
    EXPECT_EQ(field.record, "3");
    EXPECT_EQ(field.key, "channel.3.rx-frequency");
    EXPECT_TRUE(field.caption.starts_with("T")) << field.caption; // its language text
    EXPECT_EQ(field.first, "150.000000");
    EXPECT_EQ(field.second, "151.000000");
    EXPECT_TRUE(result.bytes.empty()) << areaName(result.bytes[0].area) << " " << result.bytes[0].offset;
    EXPECT_TRUE(result.stamps.empty());
}

TEST_F(ImageComparisonTest, UnnamedBytesAreRunsByAreaAndOffset)
{
    second->main()[0x0F00] = 0x12;
    second->main()[0x0F01] = 0x34;
    second->main()[0x0F03] = 0x56;
    second->aux()[0x04F0] ^= 0x01;
    const ImageComparison result = compare();
    EXPECT_TRUE(result.fields.empty()) << result.fields[0].key;
    ASSERT_EQ(result.bytes.size(), 3u);
    EXPECT_EQ(result.bytes[0].area, fields::Area::Main);
    EXPECT_EQ(result.bytes[0].offset, 0x0F00u);
    EXPECT_EQ(hexBytes(result.bytes[0].first), "FF FF");
    EXPECT_EQ(hexBytes(result.bytes[0].second), "12 34");
    EXPECT_EQ(result.bytes[1].offset, 0x0F03u);
    EXPECT_EQ(result.bytes[2].area, fields::Area::Aux);
    EXPECT_EQ(result.bytes[2].offset, 0x04F0u);
}

TEST_F(ImageComparisonTest, TheStampsAWriteSetsAreListedApartFromFieldsAndBytes)
{
    InstallationId id;
    id.fill('7');
    stampVersion(second->main(), id);
    computeChecksum(second->main());
    const ImageComparison result = compare();
    EXPECT_TRUE(result.fields.empty());
    EXPECT_TRUE(result.bytes.empty());
    std::vector<std::string> names;
    for (const StampDifference& stamp : result.stamps)
        names.push_back(stamp.name);
    EXPECT_EQ(names, (std::vector<std::string>{"installation-id", "checksum"}));
    EXPECT_EQ(result.stamps[0].bytes.offset, kInstallationIdOffset);
    EXPECT_EQ(result.stamps[0].bytes.second, std::vector<uint8_t>(kInstallationIdSize, '7'));
    EXPECT_EQ(result.stamps[1].bytes.first.size(), 2u);
}

TEST_F(ImageComparisonTest, ARecordOnlyOneImageHasShowsEmptyValuesOnTheOtherSide)
{
    enter(*second, "channel.2.rx-frequency", "150");
    const ImageComparison result = compare();
    const auto rx = std::find_if(result.fields.begin(), result.fields.end(),
                                 [](const FieldDifference& f) { return f.key == "channel.2.rx-frequency"; });
    ASSERT_NE(rx, result.fields.end());
    EXPECT_EQ(rx->first, "");
    EXPECT_EQ(rx->second, "150.000000");
    // Every field of the new channel is listed once, in the form's order, the receive frequency first.
    EXPECT_EQ(rx, result.fields.begin());
    for (auto it = result.fields.begin(); it != result.fields.end(); ++it)
        EXPECT_EQ(std::count_if(result.fields.begin(), result.fields.end(),
                                [&](const FieldDifference& f) { return f.key == it->key; }),
                  1)
            << it->key;
    // The channel index entry is no field's: it is listed raw.
    ASSERT_FALSE(result.bytes.empty());
    EXPECT_EQ(result.bytes[0].offset, kChannelIndexOffset + 2);
}

} // namespace
} // namespace rps
