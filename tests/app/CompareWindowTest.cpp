// Compare... and the write dialog's "what will change", from the main window against the
// in-process simulated repeater.
#include "ShellRig.h"

#include "app/CCompareDialog.h"
#include "app/CComparisonView.h"
#include "app/CTransferDialog.h"
#include "app/ShellCommands.h"
#include "forms/FieldForms.h"
#include "model/DataFile.h"
#include "texts/TextArguments.h"

#include <QCheckBox>
#include <QLabel>

#include <gtest/gtest.h>

#include <filesystem>

namespace rps::test {
namespace {

// The rows of a branch of the comparison tree: name, first value, second value.
std::vector<std::array<std::string, 3>> branchRows(const CComparisonView& view, const std::string& title)
{
    std::vector<std::array<std::string, 3>> rows;
    for (int i = 0; i < view.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* branch = view.topLevelItem(i);
        if (branch->text(0).toStdString() != title)
            continue;
        for (int j = 0; j < branch->childCount(); ++j) {
            const QTreeWidgetItem* row = branch->child(j);
            rows.push_back(
                {row->text(0).toStdString(), row->text(1).toStdString(), row->text(2).toStdString()});
        }
    }
    return rows;
}

void enterField(ShellRig& rig, const std::string& key, const std::string& text)
{
    const LanguageTable& texts = rig.app->texts();
    fields::FieldEnv env{[&texts](int n) { return texts.text(n); },
                         FrequencyLimits::forModelCode(readModelBlock(rig.image().main()).modelCode(), false),
                         '.'};
    const DeclaredForm* form = findDeclaredForm(key.substr(0, key.find('.')));
    const auto session = form->open(rig.image(), env);
    const auto field = findField(*form, session->engine(), key);
    ASSERT_TRUE(field) << key;
    ASSERT_FALSE(enterFieldText(session->engine(), *field, text).refused);
}

void readFromTheRepeater(ShellRig& rig)
{
    whenModal<CReadDialog>([](CReadDialog& dialog) { dialog.start(); });
    rig.trigger(cmd::kReadFromRadio);
}

TEST(CompareWindow, TheRepeaterIsReadIntoAScratchImageAndBackedUpAndTheWorkingImageStaysAsItWas)
{
    sim::SimMemory memory = sim::defaultMemory(0x0400);
    memory.blocks[0x0F00] = 0x5A;
    ShellRig rig(memory);
    ASSERT_TRUE(rig.start());
    readFromTheRepeater(rig);
    rig.repeater.memory().blocks[0x0F00] = 0xA5; // the repeater changed since
    rig.image().main()[0x0F01] = 0x11;           // an unsaved edit
    const ImageAreas before = rig.image().working();

    std::vector<std::array<std::string, 3>> bytes;
    std::string sides;
    whenModal<CCompareDialog>([&](CCompareDialog& dialog) {
        dialog.choose(CCompareDialog::First::Working, CCompareDialog::Second::Repeater);
        whenModal<CReadDialog>([](CReadDialog& read) { read.start(); });
        EXPECT_TRUE(dialog.compare());
        bytes = branchRows(*dialog.view(), rig.text(kUnnamedBytesText));
        sides = dialog.view()->headerItem()->text(1).toStdString() + "|" +
                dialog.view()->headerItem()->text(2).toStdString();
        dialog.reject();
    });
    rig.trigger(cmd::kCompare);

    ASSERT_EQ(bytes.size(), 1u);
    EXPECT_EQ(bytes[0], (std::array<std::string, 3>{"main 0x0F00", "5A 11", "A5 FF"}));
    EXPECT_EQ(sides, rig.text(kWorkingImageText) + "|" + rig.text(kRepeaterSideText));
    EXPECT_EQ(rig.image().working(), before);
    EXPECT_TRUE(rig.image().isModified());
    EXPECT_EQ(rig.repeater.prepareCount(), 0);
    // Both reads were backed up: Read Data from Radio's and the comparison's.
    const std::filesystem::path unit =
        rig.folder.path() / "data" / "rps360t" / "backups" / "QLM-640-SN0000360123";
    ASSERT_TRUE(std::filesystem::is_directory(unit));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(unit), {}), 2);
}

TEST(CompareWindow, TwoDataFilesFieldByFieldWithTheSummary)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    const std::string first = rig.folder.file("first.dat");
    const std::string second = rig.folder.file("second.dat");
    ASSERT_EQ(saveImage(first, rig.image(), {}).code, kSaveOk);
    enterField(rig, "features.tot", "10");
    ASSERT_EQ(saveImage(second, rig.image(), {}).code, kSaveOk);

    std::string summary;
    std::vector<std::array<std::string, 3>> features;
    rig.dialogs.openFiles = {first, second};
    whenModal<CCompareDialog>([&](CCompareDialog& dialog) {
        dialog.choose(CCompareDialog::First::File, CCompareDialog::Second::File);
        EXPECT_TRUE(dialog.compare());
        summary = dialog.summaryLabel()->text().toStdString();
        const QTreeWidgetItem* branch = dialog.view()->topLevelItem(0);
        features = branchRows(*dialog.view(), branch->text(0).toStdString());
        EXPECT_EQ(branch->child(0)->toolTip(0).toStdString(), "features.tot");
        dialog.reject();
    });
    rig.trigger(cmd::kCompare);

    ASSERT_EQ(features.size(), 1u); // and the checksum the save stamped
    EXPECT_EQ(features[0][2], "10.0");
    EXPECT_EQ(summary, fillTextArguments(rig.text(kComparisonSummaryText), {"1", "0", "1"}));
}

TEST(WritePreview, ListsWhatChangesAgainstTheReadAndIsRememberedAndSaysWhenThereIsNoRead)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    readFromTheRepeater(rig);
    enterField(rig, "features.tot", "10");

    bool enabled = false;
    std::vector<std::array<std::string, 3>> stamps;
    int rows = 0;
    whenModal<CWriteDialog>([&](CWriteDialog& dialog) {
        enabled = dialog.previewBox()->isEnabled();
        EXPECT_FALSE(dialog.previewView()->isVisibleTo(&dialog)) << "off until asked for";
        dialog.previewBox()->setChecked(true);
        EXPECT_TRUE(dialog.previewView()->isVisibleTo(&dialog));
        rows = dialog.previewView()->topLevelItem(0)->childCount();
        stamps = branchRows(*dialog.previewView(), rig.text(kSetByTheWriteText));
        dialog.reject();
    });
    rig.trigger(cmd::kWriteToRadio);
    EXPECT_TRUE(enabled);
    EXPECT_EQ(rows, 1);
    ASSERT_FALSE(stamps.empty());
    EXPECT_EQ(stamps.back()[0].rfind(rig.text(kStampChecksumText), 0), 0u) << stamps.back()[0];
    EXPECT_TRUE(rig.app->settings().writePreview);
    EXPECT_EQ(rig.repeater.prepareCount(), 0);

    // New replaces the image: no read to compare with, the option says so, the write goes on.
    rig.dialogs.answers = {MessageAnswer::Ok, MessageAnswer::No};
    rig.trigger(cmd::kNew);
    std::string note;
    whenModal<CWriteDialog>([&](CWriteDialog& dialog) {
        enabled = dialog.previewBox()->isEnabled();
        note = dialog.previewNote()->text().toStdString();
        EXPECT_FALSE(dialog.previewView()->isVisibleTo(&dialog));
        dialog.start();
    });
    rig.trigger(cmd::kWriteToRadio);
    EXPECT_FALSE(enabled);
    EXPECT_EQ(note, rig.text(kNoReadToCompareText));
    EXPECT_EQ(rig.repeater.prepareCount(), 1);
    EXPECT_TRUE(rig.app->settings().writePreview) << "the choice is kept for when there is a read";
}

TEST(WritePreview, IsAgainstTheBytesTheRepeaterHoldsBeforeTheRepairsOfTheRead)
{
    sim::SimMemory memory = sim::defaultMemory(0x0400);
    memory.blocks[0x0280] = 0xFF; // a repeat hang time never set: the read repairs it to 1.0 s
    memory.blocks[0x0281] = 0xFF;
    ShellRig rig(memory);
    ASSERT_TRUE(rig.start());
    readFromTheRepeater(rig);
    ASSERT_NE(rig.image().main()[0x0280], 0xFF);

    std::vector<std::string> keys;
    whenModal<CWriteDialog>([&](CWriteDialog& dialog) {
        dialog.previewBox()->setChecked(true);
        const QTreeWidgetItem* branch = dialog.previewView()->topLevelItem(0);
        for (int i = 0; branch != nullptr && i < branch->childCount(); ++i)
            keys.push_back(branch->child(i)->toolTip(0).toStdString());
        dialog.reject();
    });
    rig.trigger(cmd::kWriteToRadio);
    EXPECT_EQ(keys, std::vector<std::string>{"advanced.repeat-hang-time"});
}

} // namespace
} // namespace rps::test
