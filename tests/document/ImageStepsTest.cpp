#include "document/ImageSteps.h"

#include "model/ImageMap.h"

#include <gtest/gtest.h>

using namespace rps;

namespace {

ImageAreas blankImage()
{
    ImageAreas image;
    image.fill(0xFF);
    return image;
}

} // namespace

TEST(ImageStep, ListsEachRunOfChangedBytesAndPutsBothSidesBack)
{
    const ImageAreas before = blankImage();
    ImageAreas after = before;
    after.main[0x1000] = 0x12; // a two-byte run...
    after.main[0x1001] = 0x34;
    after.main[0x1003] = 0x56; // ...and a single byte after one unchanged byte
    after.main[kMainSize - 1] = 0x00;
    after.aux[0] = 0x01;
    after.local[kLocalSize - 1] = 0x02;

    const ImageStep step = ImageStep::between(before, after);
    const std::vector<ByteRange> expected{
        {ImagePart::Main, 0x1000, {0xFF, 0xFF}, {0x12, 0x34}}, {ImagePart::Main, 0x1003, {0xFF}, {0x56}},
        {ImagePart::Main, kMainSize - 1, {0xFF}, {0x00}},      {ImagePart::Aux, 0, {0xFF}, {0x01}},
        {ImagePart::Local, kLocalSize - 1, {0xFF}, {0x02}},
    };
    EXPECT_EQ(step.ranges(), expected);

    ImageAreas image = after;
    step.undo(image);
    EXPECT_EQ(image, before);
    step.redo(image);
    EXPECT_EQ(image, after);
    EXPECT_TRUE(ImageStep::between(before, before).empty());
}

TEST(ImageStep, UndoTouchesOnlyItsOwnBytes)
{
    const ImageAreas before = blankImage();
    ImageAreas after = before;
    after.main[0x0300] = 0x01;
    const ImageStep step = ImageStep::between(before, after);

    after.main[0x0301] = 0x02; // a later change next to it
    after.aux[0x10] = 0x03;
    step.undo(after);
    EXPECT_EQ(after.main[0x0300], 0xFF);
    EXPECT_EQ(after.main[0x0301], 0x02);
    EXPECT_EQ(after.aux[0x10], 0x03);
}

TEST(ChangeRecorder, MakesOneStepPerLookAndTakesStampsInWithoutAStep)
{
    ImageAreas image = blankImage();
    ChangeRecorder recorder;
    recorder.follow(image);
    EXPECT_FALSE(recorder.take(image).has_value());

    // What a save stamps: version, format, checksum word and installation identifier.
    image.main[kDataVersionOffset] = 'V';
    image.main[kDataFormatOffset + 2] = '0';
    image.main[kChecksumOffset + 1] = 0x12;
    image.main[kInstallationIdOffset + kInstallationIdSize - 1] = 0x34;
    EXPECT_FALSE(recorder.take(image).has_value());

    // An edit comes without the stamps taken in before; the byte after the checksum word is data.
    image.main[kChecksumOffset + 2] = 0x00;
    std::optional<ImageStep> edit = recorder.take(image);
    ASSERT_TRUE(edit.has_value());
    ASSERT_EQ(edit->ranges().size(), 1u);
    EXPECT_EQ(edit->ranges()[0].offset, kChecksumOffset + 2);
    EXPECT_FALSE(recorder.take(image).has_value()); // looked at already

    // An edit that also moves a stamp keeps the stamp in its step.
    image.main[kChecksumOffset] = 0x55;
    image.aux[0x20] = 0x66;
    std::optional<ImageStep> mixed = recorder.take(image);
    ASSERT_TRUE(mixed.has_value());
    EXPECT_EQ(mixed->ranges().size(), 2u);
    EXPECT_FALSE(mixed->onlyStamps());
}

TEST(ChangeRecorder, FollowingAnImageTakesItAsRecorded)
{
    ImageAreas image = blankImage();
    ChangeRecorder recorder;
    recorder.follow(image);
    image.main[0x2000] = 0x01;
    recorder.follow(image); // e.g. a replaced image, or a step undone
    EXPECT_FALSE(recorder.take(image).has_value());
    image.main[0x2000] = 0x02;
    const std::optional<ImageStep> step = recorder.take(image);
    ASSERT_TRUE(step.has_value());
    EXPECT_EQ(step->ranges()[0].before, std::vector<uint8_t>{0x01});
}
