// `rps360t --open FILE` (the desktop's "open with") and the installed layout the program
// finds its language file in.
#include "ShellRig.h"

#include "document/DocumentFlows.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace rps::test {
namespace {

std::string savedFile(const TempFolder& folder, const std::string& name, uint16_t code)
{
    ConfigImage other;
    writeModelBlock(other.main(), ModelBlock::fromModelCode(code));
    newImage(other, InstallationId{});
    other.main()[0x1000] = 0x77;
    const std::string path = folder.file(name);
    EXPECT_EQ(saveImage(path, other, SaveOptions{}).code, kSaveOk);
    return path;
}

TEST(OpenFromDesktop, AGivenFileOpensWithTheQuestionsOfOpen)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    const std::string path = savedFile(rig.folder, "site.dat", 0x0700);

    // Unsaved changes: Cancel on the save question keeps everything.
    rig.image().main()[0x1000] = 0x5A;
    rig.dialogs.answers = {MessageAnswer::Cancel};
    rig.app->controller()->openFile(path);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].buttons, MessageButtons::YesNoCancel);
    EXPECT_EQ(rig.image().main()[0x1000], 0x5A);

    rig.dialogs.answers = {MessageAnswer::No};
    rig.app->controller()->openFile(path);
    EXPECT_EQ(rig.image().main()[0x1000], 0x77);
    EXPECT_EQ(readModelBlock(rig.image().main()).modelCode(), 0x0700);
    EXPECT_EQ(rig.app->document().fileName, "site.dat");
    EXPECT_FALSE(rig.image().isModified());

    // A file that is not there: Open's message with the path and the reason.
    rig.dialogs.messages.clear();
    rig.app->controller()->openFile(rig.folder.file("gone.dat"));
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(
        rig.dialogs.messages[0].text.rfind(rig.text(771) + "\n" + rig.folder.file("gone.dat") + ": ", 0), 0u)
        << rig.dialogs.messages[0].text;
    EXPECT_EQ(rig.app->document().fileName, "site.dat");
}

} // namespace
} // namespace rps::test
