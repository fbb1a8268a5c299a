// --image takes a data file or a raw image, and says why it cannot use any other file.
#include "model/DataFile.h"
#include "model/DataFileFormat.h"
#include "model/DefaultBuilder.h"
#include "model/TempFolder.h"
#include "sim/SimMemory.h"

#include <gtest/gtest.h>

namespace rps::sim {
namespace {

using test::TempFolder;

TEST(SimImage, ADataFileOrARawImageIsTakenAndAnythingElseIsNamed)
{
    TempFolder folder;
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0700));
    newImage(image, InstallationId{});
    image.main()[0x1000] = 0x77;
    const std::string dataFile = folder.file("site.dat");
    ASSERT_EQ(saveImage(dataFile, image, SaveOptions{}).code, kSaveOk);
    const MemoryFromFile loaded = memoryFromFile(dataFile);
    ASSERT_TRUE(loaded.memory) << loaded.reason;
    EXPECT_EQ(loaded.memory->blocks[0x1000], 0x77);

    std::vector<uint8_t> raw(kRawImageSize, 0x11);
    test::writeBytes(folder.file("image.bin"), raw);
    ASSERT_TRUE(memoryFromFile(folder.file("image.bin")).memory);

    std::vector<uint8_t> cut = test::readBytes(dataFile);
    cut.resize(kDataFileAuxOffset + 100);
    test::writeBytes(folder.file("cut.dat"), cut);
    test::writeBytes(folder.file("text.dat"), {'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'});
    test::writeBytes(folder.file("tag.dat"), {'R', 'P', 'S', '-'});
    raw.pop_back();
    test::writeBytes(folder.file("short.bin"), raw);
    const struct {
        std::string file;
        std::string reason;
    } refused[] = {
        {"gone.dat", "No such file or directory"},
        {"", "Is a directory"},
        {"cut.dat", "the data file ends after 41125 bytes"},
        {"tag.dat", "the data file ends after 4 bytes"},
        {"text.dat", "not a data file"},
        {"short.bin", "not a data file"},
    };
    for (const auto& r : refused) {
        const MemoryFromFile result = memoryFromFile(folder.file(r.file));
        EXPECT_FALSE(result.memory) << r.file;
        EXPECT_EQ(result.reason.rfind(r.reason, 0), 0u) << r.file << ": " << result.reason;
    }
}

} // namespace
} // namespace rps::sim
