// The Tools menu's service tools, started from the main window against the simulated repeater.
#include "ShellRig.h"

#include "app/QtDialogService.h"
#include "app/ShellCommands.h"
#include "link/RadioLink.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "service/CRadioClockDialog.h"
#include "service/CServiceToolDialogs.h"
#include "service/CSupportUtilityDialog.h"
#include "service/CTestModeDialog.h"
#include "service/CTuningDataDialog.h"
#include "service/ScreenPicture.h"

#include <QAction>
#include <QCheckBox>
#include <QFileDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace rps::test {
namespace {

TEST(ShellServiceTools, ToolsOfferInformationAndVersionsButNoKeypad)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(rig.frame().commandAction(cmd::kRepeaterInformation)->isEnabled());
    EXPECT_TRUE(rig.frame().commandAction(cmd::kHardwareVersion)->isEnabled());
    EXPECT_FALSE(rig.frame().commandAction(cmd::kKeypad)->isEnabled());
    EXPECT_EQ(rig.frame().commandAction(cmd::kSupportUtility), nullptr);
}

TEST(ShellServiceTools, RepeaterInformationShowsTheChecksumAndLeavesThePortClosed)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    QString checksum;
    bool printEnabled = false;
    whenShown<CRadioInfoDialog>([&](CRadioInfoDialog& dialog) {
        checksum = dialog.findChild<QLabel*>("checksumLine")->text();
        printEnabled = dialog.printButton()->isEnabled();
        dialog.accept();
    });
    rig.trigger(cmd::kRepeaterInformation);
    EXPECT_EQ(checksum, "5A3C");
    EXPECT_TRUE(printEnabled);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_FALSE(rig.app->link().isOpen());
    EXPECT_EQ(rig.repeater.leaveCount(), 1);
}

// Demonstration mode: the tools talk to the simulated repeater in this process; the configured
// port is never opened.
TEST(ShellServiceTools, DemonstrationModeToolsAnswerWithoutAPort)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start({"demo"}));
    const int opensBefore = rig.device.openCount();

    QString txRx;
    whenShown<CHardwareVersionDialog>([&](CHardwareVersionDialog& dialog) {
        txRx = dialog.findChild<QLabel*>("txRxUnit")->text();
        dialog.accept();
    });
    rig.trigger(cmd::kHardwareVersion);
    EXPECT_EQ(txRx, "05");

    QString checksum;
    whenShown<CRadioInfoDialog>([&](CRadioInfoDialog& dialog) {
        checksum = dialog.findChild<QLabel*>("checksumLine")->text();
        dialog.accept();
    });
    rig.trigger(cmd::kRepeaterInformation);
    EXPECT_EQ(checksum, "5A3C");

    bool hasBlock = false;
    whenShown<CTuningDataDialog>([&](CTuningDataDialog& dialog) {
        dialog.readFromRadio();
        hasBlock = dialog.state().hasBlock() && dialog.writeButton()->isEnabled();
        dialog.accept();
    });
    rig.trigger(cmd::kTuningData);
    EXPECT_TRUE(hasBlock);
    ASSERT_EQ(rig.dialogs.messages.size(), 1u);
    EXPECT_EQ(rig.dialogs.messages[0].text, rig.text(550)) << "the read completed";

    EXPECT_EQ(rig.device.openCount(), opensBefore) << "no port opened";
    EXPECT_TRUE(rig.repeater.commandLog().empty());
}

// RPS_SCREENSHOT_DIR=FOLDER: the service dialogs of demonstration mode in English.
TEST(ShellServiceTools, DemonstrationModePictures)
{
    if (qEnvironmentVariable("RPS_SCREENSHOT_DIR").isEmpty())
        GTEST_SKIP() << "RPS_SCREENSHOT_DIR not set";
    ShellRig rig;
    ASSERT_TRUE(rig.start({"demo"}));
    whenShown<CHardwareVersionDialog>([](CHardwareVersionDialog& dialog) {
        screenshot(&dialog, "demo-hardware-version.png");
        dialog.accept();
    });
    rig.trigger(cmd::kHardwareVersion);
    whenShown<CRadioInfoDialog>([](CRadioInfoDialog& dialog) {
        screenshot(&dialog, "demo-radio-information.png");
        dialog.accept();
    });
    rig.trigger(cmd::kRepeaterInformation);
    whenShown<CTuningDataDialog>([](CTuningDataDialog& dialog) {
        dialog.resize(1280, 800);
        dialog.readFromRadio();
        screenshot(&dialog, "demo-tuning-data.png");
        dialog.accept();
    });
    rig.trigger(cmd::kTuningData);
    whenShown<CTestModeDialog>([](CTestModeDialog& testMode) {
        whenShown<CRadioClockDialog>([](CRadioClockDialog& clock) {
            screenshot(&clock, "demo-radio-clock.png");
            clock.closeButton()->click();
        });
        testMode.clockButton()->click();
        testMode.closeButton()->click();
    });
    rig.trigger(cmd::kTestMode);
}

TEST(ShellServiceTools, SupportUtilityEncryptModeOffTakesEffectOnTheNextExchange)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start({"SupportUtility"}));
    QAction* support = rig.frame().commandAction(cmd::kSupportUtility);
    ASSERT_NE(support, nullptr);
    EXPECT_TRUE(support->isEnabled());

    whenModal<CSupportUtilityDialog>([](CSupportUtilityDialog& dialog) {
        dialog.encryptBox()->setChecked(false);
        dialog.closeButton()->click();
    });
    rig.trigger(cmd::kSupportUtility);
    EXPECT_FALSE(rig.app->link().options().encryptMode);

    whenShown<CHardwareVersionDialog>([](CHardwareVersionDialog& dialog) { dialog.accept(); });
    rig.trigger(cmd::kHardwareVersion);
    EXPECT_TRUE(rig.dialogs.messages.empty());
    EXPECT_EQ(rig.app->link().key(), 0); // the key agreed with the repeater kept the traffic plain

    // The option holds for the rest of the run: the view shows it again.
    bool shownOff = false;
    whenModal<CSupportUtilityDialog>([&shownOff](CSupportUtilityDialog& dialog) {
        shownOff = !dialog.encryptBox()->isChecked();
        dialog.accept();
    });
    rig.trigger(cmd::kSupportUtility);
    EXPECT_TRUE(shownOff);
}

TEST(ShellServiceTools, SupportUtilitySerialTraceRecordsTheExchangesUntilSwitchedOff)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start({"SupportUtility"}));
    std::string path;
    whenModal<CSupportUtilityDialog>([&path](CSupportUtilityDialog& dialog) {
        EXPECT_FALSE(dialog.traceBox()->isChecked()) << "off by default";
        dialog.traceBox()->setChecked(true);
        const QString shown = dialog.traceLabel()->text();
        path = shown.mid(shown.indexOf('/')).toStdString();
        dialog.closeButton()->click();
    });
    rig.trigger(cmd::kSupportUtility);
    ASSERT_FALSE(path.empty());
    EXPECT_EQ(std::filesystem::path(path).parent_path(),
              std::filesystem::path(rig.folder.file("data")) / "rps360t" / "traces");
    EXPECT_EQ(std::filesystem::status(path).permissions(),
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    whenShown<CHardwareVersionDialog>([](CHardwareVersionDialog& dialog) { dialog.accept(); });
    rig.trigger(cmd::kHardwareVersion);
    whenModal<CSupportUtilityDialog>([](CSupportUtilityDialog& dialog) {
        EXPECT_TRUE(dialog.traceBox()->isChecked()) << "still running";
        dialog.traceBox()->setChecked(false);
        dialog.closeButton()->click();
    });
    rig.trigger(cmd::kSupportUtility);
    const auto size = std::filesystem::file_size(path);
    EXPECT_GT(size, 0u);
    std::ifstream in(path);
    std::string first;
    std::getline(in, first);
    EXPECT_NE(first.find("PC> 50 52 4F 47 52 41 4D"), std::string::npos) << first;

    whenShown<CHardwareVersionDialog>([](CHardwareVersionDialog& dialog) { dialog.accept(); });
    rig.trigger(cmd::kHardwareVersion);
    EXPECT_EQ(std::filesystem::file_size(path), size) << "nothing is traced once switched off";
}

TEST(QtDialogServiceQuestion, RetryCancelOffersRetryAndCancel)
{
    QtDialogService dialogs;
    MessageRequest request;
    request.text = "The command failed.";
    request.buttons = MessageButtons::RetryCancel;
    bool onlyRetryAndCancel = false;
    whenShown<QMessageBox>([&](QMessageBox& box) {
        onlyRetryAndCancel = box.button(QMessageBox::Retry) != nullptr &&
                             box.button(QMessageBox::Cancel) != nullptr &&
                             box.button(QMessageBox::Ok) == nullptr;
        box.button(QMessageBox::Retry)->click();
    });
    EXPECT_EQ(dialogs.showMessage(request), MessageAnswer::Retry);
    EXPECT_TRUE(onlyRetryAndCancel);
    whenShown<QMessageBox>([](QMessageBox& box) { box.button(QMessageBox::Cancel)->click(); });
    EXPECT_EQ(dialogs.showMessage(request), MessageAnswer::Cancel);
}

TEST(OpenPreview, FileInformationAddsTheModelBandAndVersionOfTheFile)
{
    TempFolder folder;
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
    newImage(image, InstallationId{});
    const std::string path = (folder.path() / "unit.dat").string();
    ASSERT_EQ(saveImage(path, image, SaveOptions{}).code, kSaveOk);
    const FilePreview preview = readPreview(path);
    ASSERT_TRUE(preview.available);

    for (const bool fileInformation : {false, true}) {
        QtDialogService dialogs;
        FileRequest request;
        request.startFolder = folder.path().string();
        request.filterText = "Data File (*.dat)";
        request.fileInformation = fileInformation;
        QString model = "<no field>";
        QString version = "<no field>";
        whenShown<QFileDialog>([&](QFileDialog& dialog) {
            emit dialog.currentChanged(QString::fromStdString(path));
            if (auto* field = dialog.findChild<QLabel*>("previewModel"))
                model = field->text();
            if (auto* field = dialog.findChild<QLabel*>("previewVersion"))
                version = field->text();
            dialog.reject();
        });
        dialogs.chooseOpenFile(request);
        if (fileInformation) {
            EXPECT_EQ(model, QString::fromStdString(preview.modelName));
            EXPECT_EQ(version, QString::fromStdString(preview.version));
            EXPECT_FALSE(model.isEmpty());
        } else {
            EXPECT_EQ(model, "<no field>");
        }
    }
}

} // namespace
} // namespace rps::test
