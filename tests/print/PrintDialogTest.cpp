// The "Print Out List" dialog driven by keys and clicks, and the File menu's printing commands
// in the running application.
#include "TestPaths.h"
#include "app/ShellCommands.h"
#include "app/ShellRig.h"
#include "print/CPrintSelectionDialog.h"
#include "print/ReportPages.h"
#include "print/ReportPrinting.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

namespace rps::print {
namespace {

using test::ShellRig;

struct DialogRig {
    DialogRig()
    {
        texts.loadFile(test::kLanguageFile, "English");
        dialog = std::make_unique<CPrintSelectionDialog>(
            texts,
            [this](const PrintSelection& selection) {
                counted = selection;
                return buildPagePlan(selection.flags(), Orientation::Portrait, content).size();
            },
            nullptr);
        content.channels = {0, 1, 2, 3, 4};
        dialog->show();
        dialog->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.get()));
    }
    // Types a channel into a spin box and enters it, as a user does.
    void typeChannel(QSpinBox* spin, const char* number)
    {
        spin->setFocus();
        spin->selectAll();
        QTest::keyClicks(spin, number);
        QTest::keyClick(spin, Qt::Key_Tab);
    }

    LanguageTable texts;
    ReportContent content;
    PrintSelection counted;
    std::unique_ptr<CPrintSelectionDialog> dialog;
};

int pdfPages(const std::string& path)
{
    FILE* pipe = popen(("pdfinfo '" + path + "' 2>/dev/null").c_str(), "r");
    char line[256];
    int pages = -1;
    while (pipe && fgets(line, sizeof line, pipe)) {
        if (std::sscanf(line, "Pages: %d", &pages) == 1)
            break;
    }
    if (pipe)
        pclose(pipe);
    return pages;
}

TEST(PrintSelectionDialog, TheTypedChannelWinsAndTheRangeGoesWithChannelInformation)
{
    DialogRig rig;
    CPrintSelectionDialog& dialog = *rig.dialog;
    EXPECT_TRUE(dialog.box(kModel)->isChecked());
    EXPECT_TRUE(dialog.box(kMessage)->isChecked());
    EXPECT_FALSE(dialog.startSpin()->isEnabled());
    EXPECT_FALSE(dialog.box(kCwId)->isEnabled());

    QTest::mouseClick(dialog.box(kChannels), Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(dialog.startSpin()->isEnabled());
    EXPECT_TRUE(dialog.box(kCwId)->isEnabled());
    EXPECT_EQ(dialog.totalLabel()->text(), "Total Pages  3");
    QTest::mouseClick(dialog.box(kCwId), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(dialog.selection().isOn(kCwId));

    rig.typeChannel(dialog.startSpin(), "5");
    rig.typeChannel(dialog.endSpin(), "3");
    EXPECT_EQ(dialog.startSpin()->value(), 3);
    EXPECT_EQ(dialog.endSpin()->value(), 3);
    EXPECT_EQ(rig.counted.start(), 3);
    rig.typeChannel(dialog.endSpin(), "45"); // clamped to the last channel
    EXPECT_EQ(dialog.endSpin()->value(), 30);

    // Channel Information switched off clears CW ID and disables the range.
    QTest::mouseClick(dialog.box(kChannels), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_FALSE(dialog.box(kCwId)->isChecked());
    EXPECT_FALSE(dialog.endSpin()->isEnabled());
}

TEST(PrintSelectionDialog, OkAndPreviewNeedAnItemAndSelectAllTakesEveryChannel)
{
    DialogRig rig;
    CPrintSelectionDialog& dialog = *rig.dialog;
    QTest::mouseClick(dialog.clearAllButton(), Qt::LeftButton);
    EXPECT_FALSE(dialog.okButton()->isEnabled());
    EXPECT_FALSE(dialog.previewButton()->isEnabled());
    EXPECT_EQ(dialog.totalLabel()->text(), "Total Pages  1");
    QTest::mouseClick(dialog.box(kScan), Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(dialog.okButton()->isEnabled());
    QTest::mouseClick(dialog.selectAllButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.selection().flags(), kAllFlags);
    EXPECT_TRUE(dialog.box(kCwId)->isChecked());
    EXPECT_EQ(dialog.endSpin()->value(), 30);
    QTest::mouseClick(dialog.previewButton(), Qt::LeftButton);
    EXPECT_EQ(dialog.choice(), CPrintSelectionDialog::Choice::Preview);
}

// Saved at 1280x800 when RPS_SCREENSHOT_DIR names a folder.
void screenshot(QWidget* widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("RPS_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    if (widget->isWindow() && qobject_cast<QPrintPreviewDialog*>(widget))
        widget->resize(1280, 800);
    QTest::qWait(50);
    widget->grab().save(QDir(folder).filePath(name + ".png"));
}

// Answers the selection dialog with Select All and OK, and closes the dialog that follows.
void answerSelectAll(ReportPrinting& printing, std::vector<QString>& followers)
{
    printing.setDialogShown([&followers](QWidget* shown) {
        QTimer::singleShot(0, shown, [shown, &followers] {
            screenshot(shown, QString::fromLatin1(shown->metaObject()->className()) + "-" +
                                  QString::number(followers.size()));
            if (auto* selection = dynamic_cast<CPrintSelectionDialog*>(shown)) {
                selection->selectAllButton()->click();
                selection->okButton()->click();
                return;
            }
            followers.push_back(shown->metaObject()->className());
            static_cast<QDialog*>(shown)->reject();
        });
    });
}

TEST(ReportPrintingCommands, PrintPreviewAndExportPdfDrawThePlannedPages)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    for (int command : {cmd::kPrint, cmd::kPrintPreview, cmd::kExportPdf}) {
        ASSERT_NE(rig.frame().commandAction(command), nullptr);
        EXPECT_TRUE(rig.frame().commandAction(command)->isEnabled()) << command;
    }
    ReportPrinting& printing = rig.frame().printing();
    std::vector<QString> followers;
    answerSelectAll(printing, followers);

    rig.trigger(cmd::kPrint);
    rig.trigger(cmd::kPrintPreview);
    EXPECT_EQ(followers, (std::vector<QString>{"QPrintDialog", "QPrintPreviewDialog"}));

    const std::string pdf = rig.folder.file("report");
    rig.dialogs.saveFiles.push_back(pdf);
    rig.trigger(cmd::kExportPdf);
    ASSERT_TRUE(std::filesystem::exists(pdf + ".pdf"));
    PrintSelection all;
    all.selectAll();
    EXPECT_EQ(pdfPages(pdf + ".pdf"), static_cast<int>(printing.report(all).plan().size()));
    EXPECT_TRUE(rig.dialogs.messages.empty());
}

} // namespace
} // namespace rps::print
