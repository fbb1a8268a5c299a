// The test mode and adjustment dialogs with real widgets, in demonstration mode: a simulated
// repeater in this process, no port.
#include "../link/TransferRig.h"

#include "model/ImageMap.h"
#include "model/TempFolder.h"
#include "print/PrintCapture.h"
#include "service/CAdjustDialog.h"
#include "service/CTestModeDialog.h"
#include "service/DemoRepeater.h"
#include "sim/SimMemory.h"

#include <QDir>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

using namespace rps;
using namespace rps::test;

namespace {

void setTestChannel(ConfigImage& image, int channel, uint32_t rx, uint32_t tx)
{
    auto main = image.main();
    for (int b = 0; b < 4; ++b) {
        main[kTestFrequencyOffset + 8 * channel + b] = static_cast<uint8_t>(rx >> (8 * b));
        main[kTestFrequencyOffset + 8 * channel + 4 + b] = static_cast<uint8_t>(tx >> (8 * b));
    }
}

// Saved when RPS_SCREENSHOT_DIR names a folder.
void screenshot(QWidget& widget, const QString& name)
{
    const QString folder = qEnvironmentVariable("RPS_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    widget.grab().save(QDir(folder).filePath(name + ".png"));
}

class TestModeDialogTest : public ::testing::Test {
protected:
    TestModeDialogTest()
    {
        image.working() = sim::defaultMemory(0x0400).toAreas();
        for (int i = 0; i < 16; ++i)
            setTestChannel(image, i, 0xFFFFFFFF, 0xFFFFFFFF);
        setTestChannel(image, 0, 150'000'000, 155'000'000);
        setTestChannel(image, 2, 151'000'000, 156'000'000);
        demo = std::make_unique<DemoRepeater>(image);
        session = std::make_unique<TestModeSession>(demo->link(), dialogs, numberedTexts(), image.main());
    }
    sim::SimRepeater& radio() { return demo->repeater(); }

    ConfigImage image;
    ScriptedDialogs dialogs;
    std::unique_ptr<DemoRepeater> demo;
    std::unique_ptr<TestModeSession> session;
};

} // namespace

TEST_F(TestModeDialogTest, EntersWithoutAPortAndTheChannelSpinSkipsEmptyChannels)
{
    ASSERT_TRUE(session->start()) << (dialogs.asked.empty() ? "" : dialogs.asked.front().text);
    EXPECT_TRUE(radio().tuningMode());
    CTestModeDialog dialog(*session, numberedTexts());
    dialog.resize(1280, 800);
    dialog.show();
    EXPECT_EQ(dialog.channelSpin()->value(), 1);
    EXPECT_TRUE(dialog.printButton()->isEnabled());
    EXPECT_EQ(dialog.adjustmentList()->count(), 55);
    screenshot(dialog, "test-mode");

    dialog.channelSpin()->setFocus();
    QTest::keyClick(dialog.channelSpin(), Qt::Key_Up);
    EXPECT_EQ(dialog.channelSpin()->value(), 3) << "channel 2 is empty";
    EXPECT_EQ(session->state().testChannel, 2);
    QTest::keyClick(dialog.channelSpin(), Qt::Key_Up);
    EXPECT_EQ(dialog.channelSpin()->value(), 1) << "wraps past the empty channels 4..16";
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(TestModeDialogTest, TransmitThenCloseSendsTransmitOff)
{
    ASSERT_TRUE(session->start());
    CTestModeDialog dialog(*session, numberedTexts());
    QTimer::singleShot(0, &dialog, [&] {
        QTest::mouseClick(dialog.transmitButton(), Qt::LeftButton);
        EXPECT_TRUE(radio().testMode().transmitting);
        EXPECT_TRUE(dialog.transmitButton()->isChecked());
        QTest::mouseClick(dialog.closeButton(), Qt::LeftButton);
    });
    dialog.exec();
    session->finish();
    EXPECT_FALSE(radio().testMode().transmitting);
    EXPECT_EQ(radio().testMode().transmitOffCount, 1);
    EXPECT_FALSE(radio().inMode());
}

TEST_F(TestModeDialogTest, EachAdjustmentLayoutOpensAndCloses)
{
    ASSERT_TRUE(session->start());
    CTestModeDialog dialog(*session, numberedTexts());
    dialog.show();
    struct Case {
        int key;
        TuningLayout layout;
        const char* name;
    };
    const Case cases[] = {{4, TuningLayout::SingleValue, "adjust-single"},
                          {71, TuningLayout::TwoValues, "adjust-two-values"},
                          {6, TuningLayout::Automatic, "adjust-automatic"},
                          {2, TuningLayout::LockVoltage, "adjust-lock-voltage"}};
    for (const Case& c : cases) {
        int row = -1;
        for (int i = 0; i < dialog.adjustmentList()->count(); ++i)
            if (dialog.adjustmentList()->item(i)->data(Qt::UserRole).toInt() == c.key)
                row = i;
        ASSERT_GE(row, 0) << c.key;
        bool seen = false;
        dialog.setAdjustmentShown([&](QDialog* shown) {
            auto* adjust = qobject_cast<CAdjustDialog*>(shown);
            ASSERT_NE(adjust, nullptr);
            seen = true;
            EXPECT_EQ(adjust->layout(), c.layout) << c.key;
            adjust->resize(1280, 800);
            screenshot(*adjust, c.name);
            if (c.key == 71) {
                // Gain A at raw 62 shows 0; one step up shows 2 (the raw value moves, not the shown one).
                EXPECT_EQ(adjust->valueSpin()->text(), "0");
                adjust->valueSpin()->setFocus();
                QTest::keyClick(adjust->valueSpin(), Qt::Key_Up);
                EXPECT_EQ(adjust->valueSpin()->text(), "2");
                EXPECT_EQ(radio().testMode().gains[0], 63);
            }
            if (c.key == 2) {
                EXPECT_EQ(adjust->pointTabs()->count(), 6);
                adjust->pointTabs()->setCurrentIndex(3);
                EXPECT_EQ(radio().testMode().openPoint, 0x36);
            }
            QTest::mouseClick(adjust->closeButton(), Qt::LeftButton);
        });
        dialog.openAdjustment(row);
        EXPECT_TRUE(seen) << c.key;
        EXPECT_EQ(radio().testMode().openPoint, 0) << c.key << ": the point was closed";
        EXPECT_TRUE(dialog.transmitButton()->isEnabled()) << "test mode controls enabled again";
    }
    EXPECT_TRUE(dialogs.asked.empty());
}

TEST_F(TestModeDialogTest, PrintReadsTheUnitRecordAndTheDumpLastByteFirst)
{
    ASSERT_TRUE(session->start());
    auto& memory = radio().memory().memory;
    memory[sim::kTuningAddress] = 0x5E;
    memory[sim::kTuningAddress + kAlignmentDumpSize - 2] = 0xCD;
    memory[sim::kTuningAddress + kAlignmentDumpSize - 1] = 0xAB;
    UnitRecord unit{};
    std::array<uint8_t, kAlignmentDumpSize> dump{};
    ASSERT_TRUE(session->readPrintData(unit, dump));
    EXPECT_EQ(dump[0], 0xAB);
    EXPECT_EQ(dump[1], 0xCD);
    EXPECT_EQ(dump[kAlignmentDumpSize - 1], 0x5E);

    CTestModeDialog dialog(*session, numberedTexts());
    dialog.show();
    TempFolder folder;
    const std::string pdf = folder.file("test-mode.pdf");
    printNextTo(pdf);
    QTest::mouseClick(dialog.printButton(), Qt::LeftButton);
    EXPECT_EQ(pdfPages(pdf), 1);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("T225"), std::string::npos) << text; // the alignment data's title
    EXPECT_NE(text.find("000 AB CD "), std::string::npos) << text;
    EXPECT_TRUE(dialog.transmitButton()->isEnabled());
    EXPECT_TRUE(dialogs.asked.empty());
}
