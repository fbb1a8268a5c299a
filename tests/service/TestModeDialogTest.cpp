// The test mode and adjustment dialogs with real widgets, in demonstration mode: a simulated
// repeater in this process, no port.
#include "../link/TransferRig.h"
#include "ScreenPicture.h"
#include "TestPaths.h"

#include "model/ImageMap.h"
#include "model/TempFolder.h"
#include "print/PrintCapture.h"
#include "service/CAdjustDialog.h"
#include "service/CTestModeDialog.h"
#include "service/DemoRepeater.h"
#include "sim/SimMemory.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
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

int listRowOf(const CTestModeDialog& dialog, int key)
{
    for (int i = 0; i < dialog.adjustmentList()->count(); ++i)
        if (dialog.adjustmentList()->item(i)->data(Qt::UserRole).toInt() == key)
            return i;
    return -1;
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
    RecordingDialogs dialogs;
    std::unique_ptr<DemoRepeater> demo;
    std::unique_ptr<TestModeSession> session;
};

} // namespace

TEST_F(TestModeDialogTest, EntersWithoutAPortAndTheChannelSpinSkipsEmptyChannels)
{
    ASSERT_TRUE(session->start()) << (dialogs.asked.empty() ? "" : dialogs.asked.front().text);
    EXPECT_TRUE(radio().tuningMode());
    CTestModeDialog dialog(*session, numberedTexts());
    dialog.show();
    EXPECT_EQ(dialog.channelSpin()->value(), 1);
    EXPECT_TRUE(dialog.printButton()->isEnabled());
    EXPECT_EQ(dialog.adjustmentList()->count(), 55);

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
    };
    const Case cases[] = {{4, TuningLayout::SingleValue},
                          {71, TuningLayout::TwoValues},
                          {6, TuningLayout::Automatic},
                          {2, TuningLayout::LockVoltage}};
    for (const Case& c : cases) {
        const int row = listRowOf(dialog, c.key);
        ASSERT_GE(row, 0) << c.key;
        bool seen = false;
        dialog.setAdjustmentShown([&](QDialog* shown) {
            auto* adjust = qobject_cast<CAdjustDialog*>(shown);
            ASSERT_NE(adjust, nullptr);
            seen = true;
            EXPECT_EQ(adjust->layout(), c.layout) << c.key;
            if (c.key == 71) {
                // Gain A at raw 62 shows 0; one step up shows 2 (the raw value moves, not the shown one).
                EXPECT_EQ(adjust->valueSpin()->text(), "0");
                adjust->valueSpin()->setFocus();
                QTest::keyClick(adjust->valueSpin(), Qt::Key_Up);
                EXPECT_EQ(adjust->valueSpin()->text(), "2");
                EXPECT_EQ(radio().testMode().gains[0], 63);
            }
            if (c.key == 71) {
                // Gain B has its own spin: a step moves Gain B alone.
                ASSERT_NE(adjust->gainBSpin(), nullptr);
                EXPECT_EQ(adjust->gainBSpin()->text(), "2");
                adjust->gainBSpin()->setFocus();
                QTest::keyClick(adjust->gainBSpin(), Qt::Key_Up);
                EXPECT_EQ(radio().testMode().gains, (std::array<uint8_t, 2>{63, 64}));
                QTest::mouseClick(adjust->applyButton(), Qt::LeftButton);
                EXPECT_EQ(adjust->currentLabel()->text(), "2");
                EXPECT_EQ(adjust->gainBCurrentLabel()->text(), "3");
            }
            if (c.key == 2) {
                EXPECT_EQ(adjust->pointTabs()->count(), 6);
                adjust->pointTabs()->setCurrentIndex(3);
                EXPECT_EQ(radio().testMode().openPoint, 0x36);
                EXPECT_EQ(adjust->crystalLabel()->text(), "12800000");
                EXPECT_EQ(adjust->lockVoltageBar()->value(), 25) << "value 0x80 of 255: 2.5 V";
            }
            if (c.key == 4) {
                EXPECT_EQ(adjust->crystalLabel()->text(), "12800000");
            }
            if (c.key == 6) {
                EXPECT_EQ(adjust->temperatureLabel()->text(), "25.3");
                adjust->temperatureUnits()->setCurrentIndex(1);
                EXPECT_EQ(adjust->temperatureLabel()->text(), "77.5");
                QTest::mouseClick(adjust->startButton(), Qt::LeftButton);
                EXPECT_EQ(radio().testMode().automaticPoint, 0xF2);
                EXPECT_FALSE(adjust->startButton()->isEnabled());
                EXPECT_TRUE(adjust->stopButton()->isEnabled());
                for (int tick = 0; tick < 20 && adjust->stopButton()->isEnabled(); ++tick)
                    adjust->refreshMeasurements();
                EXPECT_TRUE(adjust->startButton()->isEnabled()) << "the repeater reported done";
                EXPECT_EQ(adjust->valueSpin()->value(), 0x60) << "the reached value is shown";
                EXPECT_EQ(adjust->if20Label()->text(), "2000");
                EXPECT_EQ(radio().testMode().automaticPoint, 0);
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

// RPS_SCREENSHOT_DIR=FOLDER: test mode and an adjustment dialog of each layout, in English, on
// the demonstration repeater.
TEST_F(TestModeDialogTest, PicturesInEnglish)
{
    if (qEnvironmentVariable("RPS_SCREENSHOT_DIR").isEmpty())
        GTEST_SKIP() << "RPS_SCREENSHOT_DIR not set";
    LanguageTable english;
    english.loadFile(kLanguageFile, "English");
    TestModeSession englishSession(demo->link(), dialogs, english, image.main());
    ASSERT_TRUE(englishSession.start());
    CTestModeDialog dialog(englishSession, english);
    dialog.setClockOpener([](QWidget*) {});
    dialog.show();
    QApplication::processEvents();
    screenshot(&dialog, "test-mode.png");
    const std::pair<int, const char*> layouts[] = {{4, "adjust-single.png"},
                                                   {71, "adjust-two-values.png"},
                                                   {6, "adjust-automatic.png"},
                                                   {2, "adjust-lock-voltage.png"}};
    for (const auto& [key, name] : layouts) {
        const QString file = name;
        dialog.setAdjustmentShown([&file](QDialog* shown) {
            QApplication::processEvents();
            screenshot(shown, file);
            qobject_cast<CAdjustDialog*>(shown)->closeButton()->click();
        });
        dialog.openAdjustment(listRowOf(dialog, key));
    }
    dialog.closeButton()->click();
    englishSession.finish();
}
