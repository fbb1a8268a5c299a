// The service tool dialogs with real widgets, on the simulated repeater.
#include "ScreenPicture.h"
#include "TransferRig.h"
#include "model/TempFolder.h"
#include "print/PrintCapture.h"

#include "service/CRadioClockDialog.h"
#include "service/CServiceToolDialogs.h"
#include "service/CSupportUtilityDialog.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace rps::test {
namespace {

QString labelText(QWidget* dialog, const char* name)
{
    auto* label = dialog->findChild<QLabel*>(name);
    return label != nullptr ? label->text() : QString("<missing>");
}

// A click on the box's indicator.
void clickBox(QCheckBox* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(8, box->height() / 2));
}

TEST(SupportUtilityDialog, EncryptModeOffKeepsTheLinkAndTheDataFilesPlain)
{
    TransferRig rig;
    DataFileSettings files;
    CSupportUtilityDialog dialog(numberedTexts(), rig.link.options(), files);
    dialog.show();
    EXPECT_TRUE(dialog.encryptBox()->isChecked());
    EXPECT_FALSE(dialog.fileInformationBox()->isChecked());
    EXPECT_FALSE(dialog.synAckBox()->isChecked());
    EXPECT_TRUE(dialog.waitForUsbBox()->isChecked());
    screenshot(&dialog, "support-utility.png");

    clickBox(dialog.encryptBox());
    clickBox(dialog.fileInformationBox());
    clickBox(dialog.synAckBox());
    clickBox(dialog.waitForUsbBox());
    EXPECT_FALSE(rig.link.options().encryptMode);
    EXPECT_FALSE(files.encryptMode);
    EXPECT_TRUE(files.fileInformation);
    EXPECT_TRUE(rig.link.options().synAckLongWait);
    EXPECT_FALSE(rig.link.options().waitForUsb);

    // The next connection agrees key 0: every later byte travels plain.
    ASSERT_TRUE(rig.connect());
    EXPECT_EQ(rig.repeater.key(), 0);
    EXPECT_EQ(rig.link.key(), 0);
}

TEST(SupportUtilityDialog, EnterMovesOnLikeTabExceptOnClose)
{
    TransferRig rig;
    DataFileSettings files;
    CSupportUtilityDialog dialog(numberedTexts(), rig.link.options(), files);
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.encryptBox()->setFocus();
    QTest::keyClick(dialog.encryptBox(), Qt::Key_Return);
    EXPECT_TRUE(dialog.fileInformationBox()->hasFocus());
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(rig.link.options().encryptMode); // Enter does not toggle

    dialog.closeButton()->setFocus();
    QTest::keyClick(dialog.closeButton(), Qt::Key_Return);
    EXPECT_FALSE(dialog.isVisible());
}

TEST(RadioClockDialog, ReadsOnOpeningSetsToThePcClockAndLeavesOnClose)
{
    TransferRig rig;
    {
        CRadioClockDialog dialog(rig.context, ClockLink::Own);
        dialog.show();
        EXPECT_EQ(dialog.dateField()->text(), "2026-12-07");
        EXPECT_EQ(dialog.timeField()->text(), "10:30:00");
        screenshot(&dialog, "radio-clock.png");

        QTest::mouseClick(dialog.setButton(), Qt::LeftButton);
        ASSERT_TRUE(rig.repeater.clockSet().has_value());
        EXPECT_EQ(dialog.timeField()->text(), "09:17:25");
        dialog.tick();
        EXPECT_EQ(dialog.timeField()->text(), "09:17:25");

        QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
        EXPECT_FALSE(dialog.isVisible());
    }
    EXPECT_EQ(rig.repeater.leaveCount(), 1);
    EXPECT_FALSE(rig.link.isOpen());
    EXPECT_TRUE(rig.dialogs.asked.empty());
}

TEST(RadioClockDialog, AFailedReadFromTestModeClosesOnlyTheClock)
{
    TransferRig rig;
    ASSERT_TRUE(rig.connect());
    LinkSession testMode(rig.link);
    rig.repeater.config().faults.silentCommands[0xB3] = 1;
    CRadioClockDialog dialog(rig.context, ClockLink::Borrowed);
    dialog.show();
    QTest::qWait(20);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(rig.messageTexts(), std::vector<std::string>{T(773)});
    EXPECT_TRUE(rig.link.isOpen());
    EXPECT_TRUE(rig.repeater.inMode());
    EXPECT_EQ(rig.repeater.leaveCount(), 0);
}

TEST(RadioInfoDialog, ShowsTheRepeatersLinesAndPrintsThem)
{
    sim::SimConfig config;
    config.serialNumber = {'4', '1', '0', '0', '7', 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    TransferRig rig(config);
    RadioInformation information;
    ASSERT_EQ(readRadioInformation(rig.context, information), kLinkOk);
    CRadioInfoDialog dialog(numberedTexts(), radioInformationLines(information));
    dialog.show();
    EXPECT_EQ(labelText(&dialog, "checksumLine"), "5A3C");
    EXPECT_EQ(labelText(&dialog, "serialLine"), "41007       ");
    EXPECT_EQ(labelText(&dialog, "modelLine"), "QLM-640: K");
    screenshot(&dialog, "radio-information.png");
    TempFolder folder;
    const std::string pdf = folder.file("radio-information.pdf");
    printNextTo(pdf);
    QTest::mouseClick(dialog.printButton(), Qt::LeftButton);
    EXPECT_EQ(pdfPages(pdf), 1);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("5A3C"), std::string::npos) << text;
    EXPECT_NE(text.find("QLM-640: K"), std::string::npos) << text;
}

TEST(HardwareVersionDialog, ShowsTheThreeUnits)
{
    TransferRig rig;
    HardwareVersions versions;
    ASSERT_EQ(readHardwareVersions(rig.context, versions), kLinkOk);
    CHardwareVersionDialog dialog(numberedTexts(), versions);
    dialog.show();
    EXPECT_EQ(labelText(&dialog, "txRxUnit"), "05");
    EXPECT_EQ(labelText(&dialog, "finalUnit"), "06");
    EXPECT_EQ(labelText(&dialog, "controlUnit"), "07");
    screenshot(&dialog, "hardware-version.png");
}

} // namespace
} // namespace rps::test
