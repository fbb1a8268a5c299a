#include "model/ImageChecks.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/ModelTable.h"

#include <gtest/gtest.h>

using namespace rps;

namespace {

const InstallationId kId{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12};

// An image as it arrives from outside: defaults of a UHF model, restored into the working copy.
ConfigImage loadedImage()
{
    ConfigImage image;
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0700));
    buildDefaults(image, false, false, kId);
    image.markClean();
    return image;
}

} // namespace

TEST(Checksum, AllEmptyImageSumsToTheKnownValueAndIgnoresTheOldWord)
{
    ConfigImage image;
    setU16(image.main(), kChecksumOffset, 0x1234); // whatever was stored before is not summed
    EXPECT_EQ(computeChecksum(image.main()), 0x5E02);
    EXPECT_EQ(getU16(image.main(), kChecksumOffset), 0x5E02);
    image.main()[0x9FFF] = 0x00; // one byte less by 0xFF
    EXPECT_EQ(computeChecksum(image.main()), 0x5E02 - 0xFF);
    EXPECT_EQ(checksumOf(image.main()), 0x5E02 - 0xFF);
}

TEST(VersionStamp, WritesVersionFormatAndInstallation)
{
    ConfigImage image;
    stampVersion(image.main(), kId);
    const auto main = image.main();
    EXPECT_EQ(std::string(main.begin() + 0x0248, main.begin() + 0x024D), "V1.00");
    EXPECT_EQ(std::string(main.begin() + 0x024D, main.begin() + 0x0250), "100");
    EXPECT_TRUE(std::equal(kId.begin(), kId.end(), main.begin() + 0x0430));
    EXPECT_EQ(main[0x0250], 0xFF);
    EXPECT_EQ(main[0x043C], 0xFF);
}

TEST(CheckLoadedImage, LaterFormatIsRejectedAndRebuiltAsNew)
{
    for (auto [source, text] : {std::pair{ImageSource::File, 823}, std::pair{ImageSource::Repeater, 824}}) {
        ConfigImage image = loadedImage();
        image.main()[kDataFormatOffset] = '2';
        image.main()[0x1000] = 0x42; // a channel record the rebuild must drop
        const ImageCheck check = checkLoadedImage(image, source, kId);
        EXPECT_FALSE(check.accepted);
        EXPECT_EQ(check.messageText, text);
        EXPECT_EQ(image.main()[0x1000], 0xFF);
        EXPECT_EQ(image.main()[kDataFormatOffset], '1');
        EXPECT_EQ(readModelBlock(image.main()).modelCode(), 0x0700);
        EXPECT_FALSE(image.isModified());
    }
    ConfigImage notDigit = loadedImage();
    notDigit.main()[kDataFormatOffset] = 'A';
    EXPECT_FALSE(checkLoadedImage(notDigit, ImageSource::File, kId).accepted);
}

TEST(CheckLoadedImage, OwnOlderAndUnsetFormatsAreAccepted)
{
    for (uint8_t format : {uint8_t{'0'}, uint8_t{'1'}, uint8_t{0xFF}}) {
        ConfigImage image = loadedImage();
        image.main()[kDataFormatOffset] = format;
        image.main()[0x1000] = 0x42;
        const ImageCheck check = checkLoadedImage(image, ImageSource::Repeater, kId);
        EXPECT_TRUE(check.accepted);
        EXPECT_EQ(check.messageText, 0);
        EXPECT_EQ(image.main()[0x1000], 0x42);
    }
}

TEST(CheckLoadedImage, RepairsHangTimeAndReleasesMarkedOutputs)
{
    ConfigImage image = loadedImage();
    auto main = image.main();
    setU16(main, 0x0280, 0xFFFF);
    main[0x0508] = '='; // fixed output 2: slot at DTMF offset 83
    main[0x06D3] = 0x05;
    main[0x06D4] = 0x06;
    main[0x06D5] = 0x01;
    main[0x02A8 + 1] = 1; // port 2 is an output
    main[0x0538] = '=';
    main[0x0680 + 98 + 3] = 0x07;
    main[0x02A8 + 2] = 0; // port 3 is an input: its stale entry stays
    main[0x0540] = '=';
    main[0x0680 + 98 + 6] = 0x09;

    ASSERT_TRUE(checkLoadedImage(image, ImageSource::File, kId).accepted);
    EXPECT_EQ(getU16(main, 0x0280), 100);
    EXPECT_EQ(main[0x0508], ' ');
    EXPECT_EQ(main[0x06D3], 0xFF);
    EXPECT_EQ(main[0x06D4], 0xFF);
    EXPECT_EQ(main[0x06D5], 0x00);
    EXPECT_EQ(main[0x0538], ' ');
    EXPECT_EQ(main[0x0680 + 98 + 3], 0xFF);
    EXPECT_EQ(main[0x0540], '=');
    EXPECT_EQ(main[0x0680 + 98 + 6], 0x09);
}
