#include "TestPaths.h"
#include "model/TempFolder.h"
#include "texts/ScriptedDialogs.h"

#include "document/DocumentFlows.h"
#include "model/ByteOrder.h"
#include "model/DataFileFormat.h"
#include "model/ModelBlock.h"
#include "texts/TextArguments.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace rps;
using rps::test::readBytes;
using rps::test::ScriptedDialogs;
using rps::test::TempFolder;
using rps::test::writeBytes;

namespace {

const InstallationId kId{3, 1, 4, 1, 5, 9, 2, 6, 5, 3, 5, 8};

class DocumentFlowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_EQ(texts.loadFile(rps::test::kLanguageFile, "English"), LanguageLoadResult::Ok);
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        newImage(image, kId);
        document.folder = folder.path().string();
        settings.encryptMode = false;
    }

    const std::string& text(int n) const { return texts.text(n); }
    void edit() { image.main()[0x1000] = 0x5A; }
    // A data file of the given model whose channel byte says which file it is.
    std::string dataFile(const std::string& name, uint16_t code, uint8_t marker)
    {
        ConfigImage other;
        writeModelBlock(other.main(), ModelBlock::fromModelCode(code));
        newImage(other, kId);
        other.main()[0x1000] = marker;
        const std::string path = folder.file(name);
        EXPECT_EQ(saveImage(path, other, saveOptionsFor(settings, kId)).code, kSaveOk);
        return path;
    }

    TempFolder folder;
    ConfigImage image;
    DocumentState document;
    FrequencyLimits limits;
    ScriptedDialogs dialogs;
    LanguageTable texts;
    DataFileSettings settings;
    int formsClosed = 0;
    DocumentSession session{image, document, limits,   dialogs,
                            texts, kId,      settings, [this] { ++formsClosed; }};
};

} // namespace

TEST(TextArguments, FillsPlacesInOrderAndNeverFormatsAnythingElse)
{
    EXPECT_EQ(fillTextArguments("%s\n\nmade by %s.", {"a.dat", "RPS-250X"}), "a.dat\n\nmade by RPS-250X.");
    EXPECT_EQ(fillTextArguments("%s and %s", {"one"}), "one and ");
    EXPECT_EQ(fillTextArguments("100%% %d %n %", {"x"}), "100% %d %n %");
}

TEST(SaveAsName, AppendsTheDataExtensionUnlessItIsThere)
{
    EXPECT_EQ(dataFileNameFor("/d/x.txt"), "/d/x.txt.dat");
    EXPECT_EQ(dataFileNameFor("/d/x."), "/d/x.dat");
    EXPECT_EQ(dataFileNameFor("/d/x"), "/d/x.dat");
    EXPECT_EQ(dataFileNameFor("/d/x.DAT"), "/d/x.DAT");
    EXPECT_EQ(dataFileNameFor("/d.dat/x"), "/d.dat/x.dat");
}

TEST_F(DocumentFlowsTest, SaveAsWritesTheExtendedNameAndTakesItOver)
{
    edit();
    dialogs.saveFiles = {folder.file("x.txt")};
    ASSERT_TRUE(commandSaveAs(session));
    EXPECT_EQ(readBytes(folder.file("x.txt.dat")).size(), kDataFileSize);
    EXPECT_FALSE(std::filesystem::exists(folder.file("x.txt")));
    EXPECT_EQ(document.fileName, "x.txt.dat");
    EXPECT_EQ(document.folder, folder.path().string());
    EXPECT_FALSE(image.isModified());
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(DocumentFlowsTest, SaveAsAsksBeforeOverwritingTheExtendedName)
{
    const std::vector<uint8_t> previous{1, 2, 3};
    writeBytes(folder.file("x.dat"), previous);
    edit();
    dialogs.saveFiles = {folder.file("x.")};
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(commandSaveAs(session));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_NE(dialogs.messages[0].text.find(text(781)), std::string::npos);
    EXPECT_NE(dialogs.messages[0].text.find("x.dat"), std::string::npos);
    EXPECT_EQ(readBytes(folder.file("x.dat")), previous);
    EXPECT_EQ(document.fileName, "rps360t.dat");
    EXPECT_TRUE(image.isModified());

    dialogs.saveFiles = {folder.file("x.")};
    dialogs.answers = {MessageAnswer::Ok};
    EXPECT_TRUE(commandSaveAs(session));
    EXPECT_EQ(readBytes(folder.file("x.dat")).size(), kDataFileSize);
}

TEST_F(DocumentFlowsTest, SaveOfANewDocumentUsesTheDefaultNameAndAsksBeforeReplacing)
{
    edit();
    ASSERT_TRUE(commandSave(session));
    EXPECT_TRUE(dialogs.messages.empty());
    const auto first = readBytes(folder.file("rps360t.dat"));
    EXPECT_EQ(first.size(), kDataFileSize);

    image.main()[0x1000] = 0x6B;
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(commandSave(session));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, text(781) + "\n\n" + text(782) + " : rps360t.dat");
    EXPECT_EQ(dialogs.messages[0].caption, text(769));
    EXPECT_TRUE(dialogs.messages[0].cancelIsDefault);
    EXPECT_EQ(readBytes(folder.file("rps360t.dat")), first);
    EXPECT_TRUE(image.isModified());
}

TEST_F(DocumentFlowsTest, FailedSaveShowsTheSystemTextAndKeepsNames)
{
    edit();
    dialogs.saveFiles = {folder.file("missing/y.dat")};
    EXPECT_FALSE(commandSaveAs(session));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].caption, text(768));
    // The system's text, then where the file was to go.
    EXPECT_EQ(dialogs.messages[0].text,
              std::generic_category().message(ENOENT) + "\n" + folder.file("missing/y.dat"));
    EXPECT_EQ(document.fileName, "rps360t.dat");
    EXPECT_TRUE(image.isModified());
}

TEST_F(DocumentFlowsTest, AskToSaveGoesOnOnlyWhenNothingIsLost)
{
    EXPECT_EQ(askSaveIfModified(session), FlowDecision::GoOn);
    EXPECT_TRUE(dialogs.messages.empty());

    edit();
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_EQ(askSaveIfModified(session), FlowDecision::Abort);
    EXPECT_EQ(dialogs.messages.back().text, text(780) + " \"rps360t.dat\" ?");
    EXPECT_EQ(dialogs.messages.back().buttons, MessageButtons::YesNoCancel);

    dialogs.answers = {MessageAnswer::No};
    EXPECT_EQ(askSaveIfModified(session), FlowDecision::GoOn);

    dialogs.answers = {MessageAnswer::Yes};
    dialogs.saveFiles = {std::nullopt}; // Save As cancelled
    EXPECT_EQ(askSaveIfModified(session), FlowDecision::Abort);

    dialogs.answers = {MessageAnswer::Yes};
    dialogs.saveFiles = {folder.file("missing/z.dat")}; // Save As failed
    EXPECT_EQ(askSaveIfModified(session), FlowDecision::Abort);
    EXPECT_TRUE(image.isModified());

    dialogs.answers = {MessageAnswer::Yes};
    dialogs.saveFiles = {folder.file("kept.dat")};
    EXPECT_EQ(askSaveIfModified(session), FlowDecision::GoOn);
    EXPECT_FALSE(image.isModified());
    EXPECT_EQ(document.fileName, "kept.dat");
}

TEST_F(DocumentFlowsTest, OpenReplacesTheImageAndTakesTheNames)
{
    const std::string path = dataFile("uhf.dat", 0x0700, 0x77);
    dialogs.openFiles = {path};
    ASSERT_TRUE(commandOpen(session));
    EXPECT_EQ(image.main()[0x1000], 0x77);
    EXPECT_EQ(readModelBlock(image.main()).modelCode(), 0x0700);
    EXPECT_TRUE(limits.uhf);
    EXPECT_FALSE(image.isModified());
    EXPECT_EQ(document.fileName, "uhf.dat");
    EXPECT_EQ(formsClosed, 1);
}

TEST_F(DocumentFlowsTest, FailedOpenLeavesImageNamesAndModifiedStateAlone)
{
    const std::string path = dataFile("other.dat", 0x0700, 0x77);
    auto bytes = readBytes(path);
    const char tag[] = "RPS-250X";
    std::copy_n(tag, 8, bytes.begin());
    writeBytes(path, bytes);
    edit();
    dialogs.answers = {MessageAnswer::No};
    dialogs.openFiles = {path};
    EXPECT_FALSE(commandOpen(session));
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text,
              fillTextArguments(text(794), {"other.dat", "RPS-250X"}) + "\n" + path);
    EXPECT_EQ(image.main()[0x1000], 0x5A);
    EXPECT_TRUE(image.isModified());
    EXPECT_EQ(document.fileName, "rps360t.dat");
    EXPECT_EQ(formsClosed, 0);
}

// Each file that cannot be opened says which file and, where the system knows, why.
TEST_F(DocumentFlowsTest, FailedOpenSaysWhereAndWhy)
{
    const std::string shortFile = dataFile("short.dat", 0x0700, 0x77);
    auto bytes = readBytes(shortFile);
    bytes.resize(2000);
    writeBytes(shortFile, bytes);
    const std::string foreign = folder.file("notes.dat");
    writeBytes(foreign, std::vector<uint8_t>(kDataFileSize, 'x'));
    std::filesystem::create_directory(folder.file("folder.dat"));
    const struct {
        std::string path;
        std::string expected;
    } cases[] = {
        {folder.file("gone.dat"),
         text(771) + "\n" + folder.file("gone.dat") + ": " + std::generic_category().message(ENOENT)},
        {folder.file("folder.dat"),
         text(771) + "\n" + folder.file("folder.dat") + ": " + std::generic_category().message(EISDIR)},
        {shortFile, text(771) + "\n" + shortFile + ": " + text(1340)},
        {foreign, fillTextArguments(text(795), {"notes.dat"}) + "\n" + foreign},
    };
    for (const auto& c : cases) {
        dialogs.messages.clear();
        dialogs.openFiles = {c.path};
        EXPECT_FALSE(commandOpen(session)) << c.path;
        ASSERT_EQ(dialogs.messages.size(), 1u) << c.path;
        EXPECT_EQ(dialogs.messages[0].text, c.expected);
    }
}

TEST_F(DocumentFlowsTest, OpenOfALaterFormatGivesADefaultImageUnderTheDefaultName)
{
    const std::string path = dataFile("later.dat", 0x0600, 0x77);
    auto bytes = readBytes(path);
    bytes[dataFileOffsetOfMain(kDataFormatOffset)] = '2';
    writeBytes(path, bytes);
    dialogs.openFiles = {path};
    EXPECT_TRUE(commandOpen(session));
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, text(823));
    EXPECT_EQ(image.main()[0x1000], 0xFF);
    EXPECT_EQ(readModelBlock(image.main()).modelCode(), 0x0600);
    EXPECT_EQ(document.fileName, "rps360t.dat");
    EXPECT_FALSE(image.isModified());
}

TEST_F(DocumentFlowsTest, NewAsksFirstThenRebuildsUnderTheDefaultName)
{
    document.fileName = "old.dat";
    edit();
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(commandNew(session));
    EXPECT_EQ(dialogs.messages[0].text, text(783));
    EXPECT_EQ(image.main()[0x1000], 0x5A);

    dialogs.answers = {MessageAnswer::Ok, MessageAnswer::No};
    EXPECT_TRUE(commandNew(session));
    EXPECT_EQ(image.main()[0x1000], 0xFF);
    EXPECT_FALSE(image.isModified());
    EXPECT_EQ(document.fileName, "rps360t.dat");
}

TEST_F(DocumentFlowsTest, ModelChangeAsksForAnotherBandAndResetsTheName)
{
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0700));
    image.markClean();
    document.fileName = "site.dat";
    dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(commandModelChange(session, 0x0600, nullptr));
    EXPECT_EQ(dialogs.messages.back().text, text(796));
    EXPECT_FALSE(image.isModified());

    dialogs.answers = {MessageAnswer::Ok};
    EXPECT_TRUE(commandModelChange(session, 0x0600, nullptr));
    EXPECT_EQ(readModelBlock(image.main()).modelCode(), 0x0600);
    EXPECT_EQ(limits.upperMHz, 520.0);
    EXPECT_EQ(document.fileName, "rps360t.dat");
    EXPECT_TRUE(image.isModified());

    document.fileName = "site.dat";
    const std::size_t asked = dialogs.messages.size();
    EXPECT_TRUE(commandModelChange(session, 0x0600, nullptr));
    EXPECT_EQ(dialogs.messages.size(), asked);
    EXPECT_EQ(document.fileName, "site.dat");
}
