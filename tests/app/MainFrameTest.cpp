// The main window driven as a user drives it: menus, forms, title, tree and closing.
#include "ShellRig.h"

#include "app/ShellCommands.h"
#include "forms/common/CChildFrame.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <QAction>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

// A data file of another model, saved as Save would write it.
std::string saveModelFile(const TempFolder& folder, uint16_t modelCode, const std::string& name)
{
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    newImage(image, InstallationId{});
    const std::string path = folder.file(name);
    EXPECT_EQ(saveImage(path, image, SaveOptions{}).code, kSaveOk);
    return path;
}

TEST(MainFrame, ToolTipsAreTheMenuTextsWithoutMnemonicOrShortcut)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    QAction* open = rig.frame().commandAction(cmd::kOpen);
    ASSERT_NE(open, nullptr);
    EXPECT_TRUE(open->text().contains('\t')); // "&Open...<Tab>Ctrl+O"
    EXPECT_EQ(open->toolTip(), open->text().section('\t', 0, 0).remove('&'));
    EXPECT_FALSE(open->toolTip().isEmpty());
    EXPECT_FALSE(open->toolTip().contains("Ctrl"));
}

TEST(MainFrame, EditEntryChosenTwiceActivatesTheOneFormAndRefreshReachesEveryForm)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    ASSERT_EQ(frame.mdiArea()->subWindowList().size(), 1); // channel information at start-up

    frame.commandAction(kTestFormB)->trigger();
    QMdiSubWindow* first = frame.mdiArea()->activeSubWindow();
    frame.runCommand(kTestFormA); // another form comes to the front
    frame.commandAction(kTestFormB)->trigger();
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);
    EXPECT_EQ(frame.mdiArea()->activeSubWindow(), first);

    auto* a = static_cast<CountingForm*>(frame.openedForm(kTestFormA));
    auto* b = static_cast<CountingForm*>(frame.openedForm(kTestFormB));
    const int aBefore = a->refreshes;
    const int bBefore = b->refreshes;
    frame.refreshAllForms();
    EXPECT_EQ(a->refreshes, aBefore + 1);
    EXPECT_EQ(b->refreshes, bBefore + 1);

    // An Edit entry whose form is not in this build is there, disabled, and opens nothing.
    QAction* remoteControl = frame.commandAction(32826);
    ASSERT_NE(remoteControl, nullptr);
    EXPECT_FALSE(remoteControl->isEnabled());
    frame.runCommand(32826);
    EXPECT_EQ(frame.mdiArea()->subWindowList().size(), 2);

    // The Window menu lists the child windows; choosing one brings it to the front.
    QMenu* windowMenu = nullptr;
    for (QAction* top : frame.menuBar()->actions()) {
        if (top->text().toStdString() == rig.text(117))
            windowMenu = top->menu();
    }
    ASSERT_NE(windowMenu, nullptr);
    emit windowMenu->aboutToShow();
    QAction* firstWindow = nullptr;
    for (QAction* entry : windowMenu->actions()) {
        if (entry->text() == "&1 Form 32773")
            firstWindow = entry;
    }
    ASSERT_NE(firstWindow, nullptr);
    EXPECT_FALSE(firstWindow->isChecked());
    firstWindow->trigger();
    EXPECT_EQ(frame.mdiArea()->activeSubWindow(), CChildFrame::of(a));

    frame.runCommand(cmd::kCloseAllWindows);
    QApplication::processEvents();
    EXPECT_EQ(frame.openFormCount(), 0);
}

TEST(MainFrame, OpenOfAnotherModelsFileRenewsTreeRootAndTitle)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    const std::string path = saveModelFile(rig.folder, 0x0700, "uhf-site.dat");
    EXPECT_EQ(rig.frame().areaTree()->topLevelItem(0)->text(0).toStdString(), "QLM-640: K");

    rig.dialogs.openFiles.push_back(path);
    rig.trigger(cmd::kOpen);

    EXPECT_EQ(rig.frame().areaTree()->topLevelItem(0)->text(0).toStdString(), "QLM-940: K");
    EXPECT_EQ(rig.frame().windowTitle().toStdString(),
              "RPS-360T  [ QLM-940: K  UHF: 400-470 MHz ] [ " + rig.text(149) + " : uhf-site.dat ]");
    EXPECT_FALSE(rig.image().isModified());
    EXPECT_NE(rig.frame().openedForm(kTestFormA), nullptr); // channel information reopened
}

TEST(MainFrame, ClosingWithUnsavedChangesAsksTwiceAndCancelOnEitherKeepsEverything)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    rig.image().main()[0x1000] ^= 0x01;
    const ImageAreas edited = rig.image().working();

    rig.dialogs.answers = {MessageAnswer::Cancel};
    EXPECT_FALSE(rig.frame().close());
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, rig.text(539));

    rig.dialogs.answers = {MessageAnswer::Ok, MessageAnswer::Cancel};
    EXPECT_FALSE(rig.frame().close());
    ASSERT_EQ(rig.dialogs.messages.size(), 3u);
    EXPECT_NE(rig.dialogs.messages[2].text.find(rig.text(780)), std::string::npos);
    EXPECT_TRUE(rig.frame().isVisible());
    EXPECT_EQ(rig.image().working(), edited);
    EXPECT_TRUE(rig.image().isModified());
    EXPECT_FALSE(rig.settings.contains("LastWinPos"));

    rig.dialogs.answers = {MessageAnswer::Ok, MessageAnswer::No};
    EXPECT_TRUE(rig.frame().close());
    EXPECT_TRUE(rig.settings.contains("LastWinPos"));
}

TEST(MainFrame, DemoTitleEndsWithTenSpacesAndTheDemoText)
{
    const std::string suffix = std::string(10, ' ');
    ShellRig demo;
    ASSERT_TRUE(demo.start({"DEMO"}));
    const std::string title = demo.frame().windowTitle().toStdString();
    EXPECT_EQ(title, "RPS-360T  [ QLM-640: K  VHF: 136-174 MHz ] [ " + demo.text(149) + " : rps360t.dat ]" +
                         suffix + demo.text(1355));

    ShellRig plain;
    ASSERT_TRUE(plain.start({"rps360t.dat"}));
    EXPECT_EQ(plain.frame().windowTitle().toStdString().find(demo.text(1355)), std::string::npos);
}

TEST(MainFrame, SaveAsAppendsTheDataExtensionAndRenewsTheTitle)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    rig.image().main()[0x1000] ^= 0x01;

    rig.dialogs.saveFiles.push_back(rig.folder.file("site.txt"));
    rig.trigger(cmd::kSaveAs);
    EXPECT_TRUE(std::filesystem::exists(rig.folder.file("site.txt.dat")));
    EXPECT_FALSE(std::filesystem::exists(rig.folder.file("site.txt")));
    EXPECT_NE(rig.frame().windowTitle().indexOf(" : site.txt.dat ]"), -1);
    EXPECT_FALSE(rig.image().isModified());

    rig.dialogs.saveFiles.push_back(rig.folder.file("hilltop."));
    rig.trigger(cmd::kSaveAs);
    EXPECT_TRUE(std::filesystem::exists(rig.folder.file("hilltop.dat")));
    EXPECT_NE(rig.frame().windowTitle().indexOf(" : hilltop.dat ]"), -1);
}

TEST(MainFrame, ScanAndAdvancedSettingsOpenFromTheEditMenuAndCtrlTabTurnsOnlyTheAdvancedPages)
{
    ShellRig rig;
    rig.formLookup = {}; // the application's own forms
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    ASSERT_TRUE(rig.showActive());
    constexpr int kScan = 32817;
    constexpr int kAdvanced = 32860;
    ASSERT_TRUE(frame.commandAction(kScan)->isEnabled());
    ASSERT_TRUE(frame.commandAction(kAdvanced)->isEnabled());

    frame.commandAction(kScan)->trigger();
    QMdiSubWindow* scan = frame.mdiArea()->activeSubWindow();
    frame.commandAction(kAdvanced)->trigger();
    QMdiSubWindow* advanced = frame.mdiArea()->activeSubWindow();
    ASSERT_NE(advanced, scan);
    EXPECT_EQ(advanced->metaObject()->className(), std::string("rps::CSpecialFrame"));
    auto* pages = advanced->widget()->findChild<QTabWidget*>();
    ASSERT_NE(pages, nullptr);

    auto* phase = pages->currentWidget()->findChild<QLineEdit*>();
    ASSERT_NE(phase, nullptr);
    phase->setFocus();
    QApplication::processEvents();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(pages->currentIndex(), 1);
    EXPECT_EQ(frame.mdiArea()->activeSubWindow(), advanced);

    // Elsewhere Ctrl+Tab still cycles the child windows.
    frame.mdiArea()->setActiveSubWindow(scan);
    QApplication::processEvents();
    QWidget* inScan = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : scan->widget();
    QTest::keyClick(inScan, Qt::Key_Tab, Qt::ControlModifier);
    QTest::keyRelease(QApplication::focusWidget() ? QApplication::focusWidget() : &frame, Qt::Key_Control);
    QApplication::processEvents();
    EXPECT_NE(frame.mdiArea()->activeSubWindow(), scan);
    EXPECT_EQ(pages->currentIndex(), 1);

    // Both are tree items that open their forms.
    int enabledItems = 0;
    for (QTreeWidgetItem* item :
         frame.findChild<QTreeWidget*>()->findItems("*", Qt::MatchWildcard | Qt::MatchRecursive)) {
        const int command = item->data(0, Qt::UserRole + 1).toInt();
        if ((command == kScan || command == kAdvanced) && (item->flags() & Qt::ItemIsEnabled))
            ++enabledItems;
    }
    EXPECT_EQ(enabledItems, 2);
}

} // namespace
} // namespace rps::test
