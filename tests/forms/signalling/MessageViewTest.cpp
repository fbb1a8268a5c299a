// The test frequency and embedded message forms with real widgets: rows deleted by key, "Ch
// Paste", lines typed, and the protected write answered through the dialog service against the
// simulated repeater.
#include "../../link/TransferRig.h"
#include "forms/FormTestHost.h"
#include "forms/GridDriver.h"
#include "forms/signalling/CEmbPassView.h"
#include "forms/signalling/CEmbView.h"
#include "forms/signalling/CTestFreqView.h"
#include "forms/signalling/MessageFields.h"
#include "forms/signalling/TestFreqFields.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/FrequencyText.h"
#include "model/ImageMap.h"
#include "model/records/ChannelStore.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using namespace rps::signalling;
using rps::test::cellOf;
using rps::test::FormTestHost;
using rps::test::press;
using rps::test::typeIn;

namespace {

class MessageViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallationId none{};
        none.fill(0xFF);
        newImage(host.image, none);
        for (int n = 0; n < kTestFreqCount; ++n) {
            setU32(host.image.main(), kTestFrequencyOffset + 8 * static_cast<std::size_t>(n), kNoFrequency);
            setU32(host.image.main(), kTestFrequencyOffset + 8 * static_cast<std::size_t>(n) + 4,
                   kNoFrequency);
        }
    }
    template <class View> View* open(int command)
    {
        host.openForm(command);
        auto* view = static_cast<View*>(host.form(command));
        EXPECT_NE(view, nullptr);
        if (view) {
            EXPECT_TRUE(QTest::qWaitForWindowActive(view));
        }
        return view;
    }
    uint32_t frequency(int record, int column)
    {
        return getU32(host.image.main(), kTestFrequencyOffset + 8 * static_cast<std::size_t>(record) +
                                             4 * static_cast<std::size_t>(column));
    }

    FormTestHost host;
};

TEST_F(MessageViewTest, TestFrequencyRowsTypedAndDeletedByKey)
{
    auto* view = open<CTestFreqView>(kTestFrequencyCommand);
    ASSERT_NE(view, nullptr);
    CGridView* grid = view->grid();
    ASSERT_NE(grid, nullptr);
    EXPECT_EQ(grid->model()->rowCount(), kTestFreqCount);
    typeIn(grid, 0, 0, "151.5");
    typeIn(grid, 1, 0, "152");
    typeIn(grid, 2, 0, "153");
    EXPECT_EQ(cellOf(grid, 0, 0), "151.500000");
    EXPECT_EQ(cellOf(grid, 0, 1), "151.500000");

    // Rows 1 and 2 selected: Delete empties both records, row 3 stays.
    grid->setFocus();
    grid->setCurrentCell(0, 1);
    press(Qt::Key_Down, Qt::ShiftModifier);
    ASSERT_TRUE(grid->rowMode());
    press(Qt::Key_Delete);
    EXPECT_EQ(frequency(0, 0), kNoFrequency);
    EXPECT_EQ(frequency(1, 1), kNoFrequency);
    EXPECT_EQ(cellOf(grid, 1, 0), "");
    EXPECT_EQ(frequency(2, 0), 153'000'000u);

    // In a single cell Delete empties the frequency, and with it the record.
    grid->setRowMode(false);
    grid->setCurrentCell(2, 1);
    press(Qt::Key_Delete);
    press(Qt::Key_Return);
    EXPECT_EQ(frequency(2, 0), kNoFrequency);
    EXPECT_EQ(cellOf(grid, 2, 0), "");
}

TEST_F(MessageViewTest, ChannelPasteIsOfferedOnlyWithChannelsAndFillsTheGrid)
{
    auto* view = open<CTestFreqView>(kTestFrequencyCommand);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->channelPasteButton()->isEnabled());

    ChannelStore store(host.image);
    ASSERT_TRUE(store.create(1)); // channel 2, no transmitter
    setU32(store.record(1), 0, 150'000'000);
    setU32(store.record(1), 4, kNoFrequency);
    host.refreshAllForms();
    ASSERT_TRUE(view->channelPasteButton()->isEnabled());
    QTest::mouseClick(view->channelPasteButton(), Qt::LeftButton);
    EXPECT_EQ(cellOf(view->grid(), 1, 0), "150.000000");
    EXPECT_EQ(cellOf(view->grid(), 1, 1), "150.000000");
    EXPECT_EQ(cellOf(view->grid(), 0, 0), "");
}

TEST_F(MessageViewTest, EmbeddedMessageLinesAreStoredWhenLeft)
{
    auto* view = open<CEmbView>(kEmbeddedMessageCommand);
    ASSERT_NE(view, nullptr);
    QLineEdit* line = CFieldForm::lineOf(view->control(message::kItemLine2));
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->maxLength(), 32);
    line->setFocus();
    QTest::keyClicks(line, "Bench 4");
    QTest::keyClick(line, Qt::Key_Tab);
    const auto bytes = host.image.main().subspan(kEmbeddedMessageOffset + 32, 8);
    EXPECT_EQ(std::string(bytes.begin(), bytes.begin() + 7), "Bench 4");
    EXPECT_EQ(bytes[7], 0x00);
}

TEST_F(MessageViewTest, ProtectedWriteAnsweredThroughTheDialogService)
{
    sim::SimConfig config;
    config.messagePassword = PasswordBytes{'a', 'b', '1', '2', 0, 0};
    test::TransferRig rig(config);
    host.link = &rig.link;
    auto* view = open<CEmbPassView>(kEmbeddedPasswordCommand);
    ASSERT_NE(view, nullptr);
    QLineEdit* line = CFieldForm::lineOf(view->control(message::kItemLine1));
    line->setFocus();
    QTest::keyClicks(line, "Serviced 2026");

    // A wrong password, then the right one; the buttons wait while the question is open.
    host.dialogs.passwords = {"zz", "ab12"};
    std::vector<bool> enabledWhileAsking;
    host.dialogs.whileAsking = [&] {
        enabledWhileAsking.push_back(view->writeButton()->isEnabled() || view->passwordButton()->isEnabled());
    };
    QTest::mouseClick(view->writeButton(), Qt::LeftButton);
    EXPECT_EQ(enabledWhileAsking, (std::vector<bool>{false, false}));
    EXPECT_TRUE(view->writeButton()->isEnabled());
    const auto& memory = rig.repeater.memory().memory;
    EXPECT_EQ(std::string(memory.begin() + 0xFD00, memory.begin() + 0xFD00 + 13), "Serviced 2026");
    const std::string wrong = host.texts.text(779);
    EXPECT_EQ(std::count(host.dialogs.messages.begin(), host.dialogs.messages.end(), wrong), 1);
    EXPECT_EQ(host.dialogs.messages.back(), host.texts.text(564));
}

TEST_F(MessageViewTest, WithoutALinkTheRepeaterButtonsAreDisabled)
{
    auto* view = open<CEmbPassView>(kEmbeddedPasswordCommand);
    ASSERT_NE(view, nullptr);
    EXPECT_FALSE(view->writeButton()->isEnabled());
    EXPECT_FALSE(view->passwordButton()->isEnabled());
}

} // namespace
