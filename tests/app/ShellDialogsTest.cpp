// The shell's smaller windows as a user meets them: model choice, splash, window placement,
// language change.
#include "ShellRig.h"

#include "app/CLanguageDialog.h"
#include "app/CModelInfoDialog.h"
#include "app/CPortDialog.h"
#include "app/CSplashWindow.h"
#include "app/ShellCommands.h"
#include "app/WindowPlacement.h"
#include "link/RadioLink.h"

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPointer>
#include <QScreen>
#include <QTableWidget>
#include <QTest>

#include <gtest/gtest.h>

#include <fstream>

namespace rps::test {
namespace {

class ShellDialogs : public ::testing::Test {
protected:
    ShellDialogs() { texts.loadFile(kLanguageFile, "English"); }
    LanguageTable texts;
};

QStringList itemsOf(const QComboBox& list)
{
    QStringList items;
    for (int i = 0; i < list.count(); ++i)
        items << list.itemText(i);
    return items;
}

TEST_F(ShellDialogs, ModelInformationOffersTheBandsOfTheChosenModelType)
{
    CModelInfoDialog dialog(texts, 0x0400, nullptr);
    EXPECT_EQ(itemsOf(*dialog.modelList()), QStringList({"QLM-640: K", "QLM-940: K"}));
    EXPECT_EQ(itemsOf(*dialog.bandList()), QStringList({"136-174 MHz"}));

    // From VHF the UHF model starts on its default band, 400-470 MHz.
    dialog.modelList()->setCurrentIndex(1);
    EXPECT_EQ(itemsOf(*dialog.bandList()), QStringList({"* 450-520 MHz", "400-470 MHz"}));
    EXPECT_EQ(dialog.chosenModelCode(), 0x0700);

    dialog.bandList()->setCurrentIndex(0);
    EXPECT_EQ(dialog.chosenModelCode(), 0x0600);
    dialog.modelList()->setCurrentIndex(0);
    dialog.modelList()->setCurrentIndex(1);
    EXPECT_EQ(dialog.chosenModelCode(), 0x0700);

    // A destination variant other than 0 is shown under its model type with its own band.
    CModelInfoDialog variant(texts, 0x0702, nullptr);
    EXPECT_EQ(variant.modelList()->currentText(), "QLM-940: K");
}

TEST_F(ShellDialogs, SplashClosesAtTheFirstKeyPressAnywhere)
{
    QPointer<CSplashWindow> splash = new CSplashWindow(texts, false);
    splash->showCentred();
    QWidget other;
    other.show();
    QTest::keyClick(&other, Qt::Key_A);
    QApplication::processEvents();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(splash.isNull());
}

TEST(ShellPlacement, APlacementOnAScreenThatIsGoneIsPulledOntoTheScreen)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    WindowPlacement far;
    far.showCommand = 1;
    far.left = screen.right() + 3000;
    far.top = screen.bottom() + 2000;
    far.right = far.left + 400;
    far.bottom = far.top + 300;
    ASSERT_TRUE(rig.frame().restorePlacement(QString::fromStdString(formatWindowPlacement(far))));
    EXPECT_TRUE(screen.contains(rig.frame().geometry().topLeft()));
    EXPECT_EQ(rig.frame().geometry().size(), QSize(400, 300));

    EXPECT_FALSE(rig.frame().restorePlacement("1:2:3"));
}

TEST(ShellPlacement, TheStoredPlacementIsTheNormalWindowWithNoMinimisedOrMaximisedPosition)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    WindowPlacement normal;
    normal.showCommand = 1;
    normal.left = 40;
    normal.top = 30;
    normal.right = 40 + 640;
    normal.bottom = 30 + 480;
    ASSERT_TRUE(rig.frame().restorePlacement(QString::fromStdString(formatWindowPlacement(normal))));
    const std::optional<WindowPlacement> stored =
        parseWindowPlacement(rig.frame().placementText().toStdString());
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->showCommand, 1);
    EXPECT_EQ(stored->minX, -1);
    EXPECT_EQ(stored->minY, -1);
    EXPECT_EQ(stored->maxX, -1);
    EXPECT_EQ(stored->maxY, -1);
    EXPECT_EQ(stored->right - stored->left, 640);
    EXPECT_EQ(stored->bottom - stored->top, 480);
}

} // namespace
} // namespace rps::test

namespace rps::test {
namespace {

// A copy of the language file with a second column in which every text is marked.
std::string twoLanguageFile(const TempFolder& folder)
{
    std::ifstream in(kLanguageFile);
    std::ofstream out(folder.file("rps360t.lng"));
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("*Language", 0) == 0)
            line += ",Spanish";
        else if (line.rfind("^#", 0) == 0 && line.find('"') == std::string::npos)
            line += ",ES " + line.substr(line.find(',') + 1);
        else if (line.rfind("^#", 0) == 0)
            line += "," + line.substr(line.find(',') + 1);
        out << line << '\n';
    }
    return folder.file("rps360t.lng");
}

TEST(ShellLanguage, ChoosingAnotherLanguageRenewsTitleMenusAndReopensTheChannelForm)
{
    ShellRig rig;
    const std::string file = twoLanguageFile(rig.folder);
    StartupEnvironment env{{},
                           file,
                           rig.settings,
                           nullptr,
                           DataFolderPlaces{rig.folder.path().string(), rig.folder.path().string()},
                           rig.dialogs,
                           rig.device,
                           {},
                           "sim-link",
                           false,
                           testFormLookup};
    rig.app = std::make_unique<ShellApplication>(std::move(env));
    ASSERT_TRUE(rig.app->start());
    rig.frame().openForm(kTestFormB);

    whenModal<CLanguageDialog>([](CLanguageDialog& dialog) {
        dialog.languageList()->setCurrentIndex(dialog.languageList()->findData(2));
        dialog.accept();
    });
    rig.trigger(cmd::kLanguageFileSetup);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);

    EXPECT_EQ(rig.app->settings().languageKey, 2);
    EXPECT_NE(rig.frame().windowTitle().indexOf("[ ES "), -1); // text 149 of the new column
    EXPECT_TRUE(rig.frame().commandAction(cmd::kOpen)->text().startsWith("ES "));
    EXPECT_NE(rig.frame().openedForm(kTestFormA), nullptr);
    EXPECT_EQ(rig.frame().openedForm(kTestFormB), nullptr);
}

} // namespace
} // namespace rps::test

namespace rps::test {
namespace {

TEST(ShellPort, TheChosenPortIsUsedByTheLinkAndShownInTheStatusBar)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    rig.ports = {{1, "/dev/ttyS0", "ttyS0", {"/dev/ttyS0", "", "", "", ""}},
                 {4, "/dev/ttyUSB0", "ttyUSB0", {"/dev/ttyUSB0", "", "", "", ""}}};
    whenModal<CPortDialog>([](CPortDialog& dialog) {
        EXPECT_EQ(dialog.table()->rowCount(), 2);
        dialog.table()->selectRow(1);
        dialog.accept();
    });
    rig.trigger(cmd::kCommunicationPort);
    EXPECT_EQ(rig.app->link().devicePath(), "/dev/ttyUSB0");
    EXPECT_EQ(rig.app->settings().comPort, 4);
    EXPECT_EQ(rig.frame().findChild<QLabel*>("portPane")->text().toStdString(), "COM4 (/dev/ttyUSB0)");
}

} // namespace
} // namespace rps::test
