#include "TempFolder.h"

#include "model/ByteOrder.h"
#include "model/DataFile.h"
#include "model/DataFileFormat.h"
#include "model/DefaultBuilder.h"
#include "model/ImageChecks.h"

#include <gtest/gtest.h>

#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

using namespace rps;
using rps::test::readBytes;
using rps::test::TempFolder;
using rps::test::writeBytes;

namespace {

const InstallationId kId{9, 8, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2};

ConfigImage sampleImage(uint16_t modelCode = 0x0400)
{
    ConfigImage image;
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    newImage(image, kId);
    image.main()[0x1000] = 0x11;
    image.main()[0x0030] = 0x22; // before the key byte
    image.aux()[0x0123] = 0x33;
    image.local()[0x00BF] = 0x44;
    const char message[] = "HELLO REPEATER";
    std::copy_n(message, sizeof message - 1, image.main().begin() + 0x0200);
    return image;
}

SaveOptions plain()
{
    SaveOptions options;
    options.encryptMode = false;
    options.installationId = kId;
    return options;
}

std::vector<uint8_t> savedFile(const TempFolder& folder, ConfigImage& image, const SaveOptions& options)
{
    const std::string path = folder.file("x.dat");
    EXPECT_EQ(saveImage(path, image, options).code, kSaveOk);
    return readBytes(path);
}

} // namespace

// Another program's name is what its tag spells in printable characters, space and tilde
// included, and never more than the tag.
TEST(DataFileTag, ProgramNameStopsAtTheFirstUnprintableByteOrTheTagsEnd)
{
    const auto name = [](std::string_view bytes) {
        return tagProgramName(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
    };
    EXPECT_EQ(name("RPS 250~X\x7F"), "RPS 250~X");
    EXPECT_EQ(name("RPS-250XYZABC"), "RPS-250XYZ");
    EXPECT_EQ(name(std::string_view("RPS\x1F"
                                    "250",
                                    7)),
              "RPS");
    EXPECT_EQ(name(std::string_view("RP\x00S", 4)), "RP");
    EXPECT_EQ(name("RPS"), "RPS") << "a tag cut short";
}

TEST(DataFileSave, PlainFileHasTheExactLayout)
{
    TempFolder folder;
    ConfigImage image = sampleImage();
    const auto bytes = savedFile(folder, image, plain());
    ASSERT_EQ(bytes.size(), 42561u);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 8), "RPS-360T");
    EXPECT_EQ(bytes[8], 0xFF);
    EXPECT_EQ(std::string(bytes.begin() + 10, bytes.begin() + 15), "V1.00");
    EXPECT_EQ(bytes[15], 0xFF);
    EXPECT_EQ(std::string(bytes.begin() + 16, bytes.begin() + 24), "RQLM0640");
    EXPECT_EQ(bytes[32], 'D');
    for (std::size_t i = 33; i < 64; ++i)
        EXPECT_EQ(bytes[i], 0xFF) << i;
    EXPECT_EQ(bytes[114], 0x00);
    EXPECT_EQ(bytes[64 + 0x30], 0x22);
    EXPECT_EQ(bytes[65 + 0x1000], 0x11);
    EXPECT_EQ(bytes[41025 + 0x123], 0x33);
    EXPECT_EQ(bytes[42305 + 0xBF], 0x44);
    // Saving stamps the checksum into the image and the file.
    EXPECT_EQ(getU16(image.main(), kChecksumOffset), checksumOf(image.main()));
    EXPECT_EQ(bytes[65 + 0x0256], image.main()[0x0256]);
}

TEST(DataFileSave, EncryptedFileRoundTripsIntoTheSnapshotOnly)
{
    TempFolder folder;
    ConfigImage image = sampleImage(0x0700);
    const std::string path = folder.file("enc.dat");
    SaveOptions options = plain();
    options.encryptMode = true;
    ASSERT_EQ(saveImage(path, image, options).code, kSaveOk);
    const auto bytes = readBytes(path);
    const uint8_t key = bytes[114];
    EXPECT_GE(key, 1);
    EXPECT_LE(key, 119);
    EXPECT_EQ(bytes[65 + 0x1000], 0x11 ^ key);

    ConfigImage loaded;
    loaded.main()[5] = 0x77; // unsaved edit in the working copy
    ASSERT_EQ(loadImage(path, loaded).code, kLoadOk);
    EXPECT_EQ(loaded.main()[5], 0x77);
    EXPECT_EQ(loaded.snapshot(), image.working());
}

TEST(DataFileSave, PasswordFieldIsSubstitutedAndScrambled)
{
    // '1' -> 'd' ^ 'T', '2' -> 'R' ^ 'X', '3' -> '3' ^ 'V', empty -> 0xFF ^ '5', '8', '4'.
    const FilePasswordField expected{0x64 ^ 0x54, 0x52 ^ 0x58, 0x33 ^ 0x56,
                                     0xFF ^ 0x35, 0xFF ^ 0x38, 0xFF ^ 0x34};
    EXPECT_EQ(scrambleFilePassword("123"), expected);

    TempFolder folder;
    ConfigImage image = sampleImage();
    SaveOptions options = plain();
    options.password = "123";
    const auto bytes = savedFile(folder, image, options);
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin() + 33));
    EXPECT_EQ(bytes[39], 0xFF);
    // A protected file opens without any question.
    ConfigImage loaded;
    EXPECT_EQ(loadImage(folder.file("x.dat"), loaded).code, kLoadOk);
}

TEST(DataFileSave, EveryDigitIsSubstitutedAtEveryPosition)
{
    const std::string substitution = "HdR3vGx9Lm";
    const std::string key = "TXV584";
    for (char digit = '0'; digit <= '9'; ++digit) {
        const FilePasswordField field = scrambleFilePassword(std::string(6, digit));
        for (std::size_t i = 0; i < field.size(); ++i) {
            EXPECT_EQ(field[i],
                      static_cast<uint8_t>(substitution[static_cast<std::size_t>(digit - '0')] ^ key[i]))
                << "digit " << digit << " at " << i;
        }
    }
}

TEST(DataFileSave, SaveUsesNoImageCopyAsScratch)
{
    TempFolder folder;
    ConfigImage image = sampleImage();
    image.snapshot().aux[7] = 0x5A;
    image.snapshot().main[7] = 0x5A;
    SaveOptions options = plain();
    options.encryptMode = true;
    savedFile(folder, image, options);
    EXPECT_EQ(image.snapshot().aux[7], 0x5A);
    EXPECT_EQ(image.snapshot().main[7], 0x5A);
    EXPECT_EQ(image.aux()[0x123], 0x33);
}

TEST(DataFileSave, FailedWriteLeavesThePreviousFileAndNoTemporary)
{
    TempFolder folder;
    const std::string path = folder.file("keep.dat");
    const std::vector<uint8_t> previous(500, 0xAB);
    writeBytes(path, previous);

    // A file size limit makes the write fail part-way, as a full disk would.
    rlimit old{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    ConfigImage image = sampleImage();
    const SaveResult result = saveImage(path, image, plain());
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_EQ(result.code, kSaveWriteFailed);
    EXPECT_NE(result.systemError, 0);
    EXPECT_EQ(readBytes(path), previous);
    EXPECT_EQ(folder.entryCount(), 1u);
}

TEST(DataFileSave, FolderThatRefusesNewFilesReportsCannotCreate)
{
    TempFolder folder;
    const std::string missing = folder.file("no-such-folder/x.dat");
    ConfigImage image = sampleImage();
    const SaveResult result = saveImage(missing, image, plain());
    EXPECT_EQ(result.code, kSaveCannotCreate);
    EXPECT_EQ(result.systemError, ENOENT);
}

TEST(DataFileSave, ReadOnlyFolderLeavesThePreviousFile)
{
    TempFolder folder;
    ConfigImage image = sampleImage();
    if (geteuid() == 0)
        GTEST_SKIP() << "folder permissions do not bind the superuser";
    const std::string path = folder.file("keep.dat");
    writeBytes(path, {1, 2, 3});
    std::filesystem::permissions(folder.path(),
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    EXPECT_EQ(saveImage(path, image, plain()).code, kSaveCannotCreate);
    EXPECT_EQ(readBytes(path), (std::vector<uint8_t>{1, 2, 3}));
}

TEST(DataFileSave, ReadOnlyFileIsRefusedAndALinkedFileIsUpdatedInPlace)
{
    TempFolder folder;
    ConfigImage image = sampleImage();
    const std::string locked = folder.file("locked.dat");
    writeBytes(locked, {1, 2, 3});
    std::filesystem::permissions(locked, std::filesystem::perms::owner_read);
    const SaveResult refused = saveImage(locked, image, plain());
    EXPECT_EQ(refused.code, kSaveCannotCreate);
    EXPECT_EQ(refused.systemError, EACCES);
    EXPECT_EQ(readBytes(locked), (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_EQ(folder.entryCount(), 1u);

    const std::string real = folder.file("real.dat");
    const std::string link = folder.file("link.dat");
    writeBytes(real, {1, 2, 3});
    std::filesystem::create_symlink(real, link);
    ASSERT_EQ(saveImage(link, image, plain()).code, kSaveOk);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(readBytes(real).size(), kDataFileSize);
}

TEST(DataFileLoad, TruncatedFilesAreRefusedExceptInTheLocalBlock)
{
    TempFolder folder;
    ConfigImage source = sampleImage();
    const auto full = savedFile(folder, source, plain());
    const std::string path = folder.file("cut.dat");
    for (std::size_t length : {std::size_t{0}, std::size_t{40}, std::size_t{64}, std::size_t{114},
                               std::size_t{20000}, std::size_t{41025}, std::size_t{42000}}) {
        writeBytes(path,
                   std::vector<uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
        ConfigImage image;
        image.snapshot().main[0x1000] = 0x99;
        EXPECT_EQ(loadImage(path, image).code, kLoadCannotRead) << length;
        EXPECT_EQ(image.snapshot().main[0x1000], 0x99) << "a refused file must not reach the snapshot";
    }
    for (std::size_t length : {std::size_t{42305}, std::size_t{42400}}) {
        writeBytes(path,
                   std::vector<uint8_t>(full.begin(), full.begin() + static_cast<std::ptrdiff_t>(length)));
        ConfigImage image;
        image.snapshot().local[0xBF] = 0x00;
        ASSERT_EQ(loadImage(path, image).code, kLoadOk) << length;
        EXPECT_EQ(image.snapshot().local[0xBF], 0xFF);
        EXPECT_EQ(image.snapshot().main[0x1000], 0x11);
    }
    // A short file that does not begin as a data file does is none at all.
    writeBytes(path, std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '\n'});
    ConfigImage image;
    EXPECT_EQ(loadImage(path, image).code, kLoadNotDataFile);
    EXPECT_EQ(loadImage(folder.file("absent.dat"), image).code, kLoadCannotRead);
    EXPECT_EQ(loadImage(folder.path().string(), image).code, kLoadCannotRead);
}

TEST(DataFileLoad, HeaderChecksGiveTheirOwnResults)
{
    TempFolder folder;
    ConfigImage source = sampleImage();
    const auto good = savedFile(folder, source, plain());
    const std::string path = folder.file("h.dat");
    auto loadVariant = [&](auto change) {
        auto bytes = good;
        change(bytes);
        writeBytes(path, bytes);
        ConfigImage image;
        return loadImage(path, image);
    };

    const LoadResult other = loadVariant([](auto& b) {
        const char tag[] = "RPS-250X";
        std::copy_n(tag, 8, b.begin());
    });
    EXPECT_EQ(other.code, kLoadOtherProgram);
    EXPECT_EQ(other.otherProgram, "RPS-250X");
    const LoadResult control = loadVariant([](auto& b) {
        b[3] = '\n';
        b[4] = 0x00;
    });
    EXPECT_EQ(control.code, kLoadOtherProgram);
    EXPECT_EQ(control.otherProgram, "RPS");
    EXPECT_EQ(loadVariant([](auto& b) { b[0] = 'X'; }).code, kLoadNotDataFile);
    EXPECT_EQ(loadVariant([](auto& b) { b[32] = 'E'; }).code, kLoadBadMarker);
    EXPECT_EQ(loadVariant([](auto& b) { b[16 + 12] = 0x00; }).code, kLoadReservedBytes);
    EXPECT_EQ(loadVariant([](auto& b) { b[16 + 10] = 0x02; }).code, kLoadModelRefused); // 0x0402
    EXPECT_EQ(loadVariant([](auto& b) { b[16 + 11] = 0x05; }).code, kLoadModelRefused);

    // The model block inside the image must be one Open accepts as well.
    const auto inner = [](std::size_t byte, uint8_t value) {
        return [=](auto& b) { b[dataFileOffsetOfMain(kModelBlockOffset + byte)] = value; };
    };
    EXPECT_EQ(loadVariant(inner(10, 0x02)).code, kLoadModelRefused); // 0x0402
    EXPECT_EQ(loadVariant(inner(12, 0x00)).code, kLoadModelRefused);
    EXPECT_EQ(loadVariant(inner(0, 'X')).code, kLoadModelRefused);
    EXPECT_EQ(loadVariant(inner(14, 0x00)).code, kLoadOk); // option flags are the image's own

    EXPECT_EQ(loadMessageText(kLoadCannotRead), 771);
    EXPECT_EQ(loadMessageText(kLoadBadMarker), loadMessageText(kLoadModelRefused));
    EXPECT_EQ(loadMessageText(kLoadReservedBytes), 818);
}

TEST(DataFilePreview, ShowsMessageLinesAndFileInformation)
{
    TempFolder folder;
    ConfigImage image = sampleImage(0x0700);
    const char second[] = "LINE TWO";
    std::copy_n(second, sizeof second - 1, image.main().begin() + 0x0220);
    SaveOptions options = plain();
    options.encryptMode = true;
    const std::string path = folder.file("p.DAT");
    ASSERT_EQ(saveImage(path, image, options).code, kSaveOk);

    const FilePreview preview = readPreview(path);
    ASSERT_TRUE(preview.available);
    EXPECT_EQ(preview.messageLine1, "HELLO REPEATER");
    EXPECT_EQ(preview.messageLine2, "LINE TWO");
    EXPECT_EQ(preview.modelName, "QLM-940: K");
    EXPECT_EQ(preview.bandLabel, "400-470 MHz");
    EXPECT_EQ(preview.version, "V1.00");

    std::filesystem::copy_file(path, folder.file("p.txt"));
    EXPECT_FALSE(readPreview(folder.file("p.txt")).available);
}
