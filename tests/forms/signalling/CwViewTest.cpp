// The CW ID and CW message forms with real widgets, opened through the catalogue.
#include "../FormTestHost.h"
#include "forms/channel/CChInfoView.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CGridView.h"
#include "forms/signalling/CCWIDView.h"
#include "forms/signalling/CCWMesView.h"
#include "forms/signalling/CwIdFields.h"
#include "forms/signalling/CwMessageFields.h"
#include "model/ByteOrder.h"
#include "model/FeatureMap.h"
#include "model/records/ChannelLayout.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::FormTestHost;

namespace {

class CwViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ChannelEditor editor = makeChannelEditor(host.context);
        for (int channel : {0, 2}) {
            editor.setFrequency(channel, false, "150", false);
            editor.setFrequency(channel, true, "155", false);
        }
        record(2)[ChannelField::kCwId] = 1;
        record(2)[ChannelField::kChannelType] = kTypeNxdn;
        const char text[] = "DE RPT";
        std::copy(text, text + 6, record(2).begin() + 64);
    }
    std::span<uint8_t> record(int channel) { return ChannelStore(host.image).record(channel); }
    CCWIDView* openCwId()
    {
        host.openForm(kCwIdCommand);
        auto* view = static_cast<CCWIDView*>(host.form(kCwIdCommand));
        EXPECT_TRUE(view && QTest::qWaitForWindowActive(view));
        return view;
    }
    void typeInto(QWidget* control, const char* text)
    {
        control->setFocus();
        QWidget* target = CFieldForm::lineOf(control);
        QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(target, Qt::Key_Delete);
        QTest::keyClicks(target, text);
        QTest::keyClick(target, Qt::Key_Tab);
        QApplication::processEvents();
    }

    FormTestHost host;
};

TEST_F(CwViewTest, FollowsTheChannelChosenInTheGrid)
{
    host.openForm(kChannelInformationCommand);
    auto* grid = static_cast<CChInfoView*>(host.form(kChannelInformationCommand));
    ASSERT_NE(grid, nullptr);
    CCWIDView* view = openCwId();
    ASSERT_NE(view, nullptr);
    auto* channel = static_cast<QLabel*>(view->control(cwid::kItemChannel));
    auto* text = CFieldForm::lineOf(view->control(cwid::kItemText));
    EXPECT_EQ(channel->text(), "Channel  1");
    EXPECT_FALSE(text->isEnabled()); // CW ID off on channel 1

    grid->grid()->setCurrentCell(2, 1);
    EXPECT_EQ(channel->text(), "Channel  3");
    EXPECT_EQ(text->text(), "DE RPT");
    EXPECT_TRUE(text->isEnabled());
    // An NXDN channel sends no CW ID over and no squelch code with it.
    EXPECT_FALSE(view->control(cwid::kItemOver)->isEnabled());
    EXPECT_FALSE(view->control(cwid::kItemEncodeQt)->isEnabled());
    EXPECT_TRUE(view->control(cwid::kItemToRa)->isEnabled());
}

TEST_F(CwViewTest, AHighToneIsStoredWithAWarningAndDisabledItemsHandTheFocusToClose)
{
    host.setCurrentChannel(2);
    CCWIDView* view = openCwId();
    ASSERT_NE(view, nullptr);
    typeInto(view->control(cwid::kItemAudioFrequency), "950");
    EXPECT_EQ(record(2)[59], 90);
    ASSERT_EQ(host.dialogs.messages.size(), 1u);
    EXPECT_EQ(host.dialogs.messages[0], host.texts.text(cwid::kMessageHighAudio));

    QWidget* delay = view->control(cwid::kItemTxDelay);
    CFieldForm::lineOf(delay)->setFocus();
    ASSERT_TRUE(CFieldForm::lineOf(delay)->hasFocus());
    record(2)[ChannelField::kCwId] = 0; // switched off in the channel edit form
    host.refreshAllForms();
    EXPECT_FALSE(delay->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), view->findChild<QPushButton*>("close"));
}

TEST_F(CwViewTest, ClearingAMessageEmptiesTheKeyThatSentIt)
{
    std::span<uint8_t> main = host.image.main();
    const char text[] = "CQ";
    std::copy(text, text + 2, main.begin() + 0x0580 + 64);
    setU16(main, feature::kKeyFunctions + feature::kGroupStride, 0x3332);
    host.openForm(kCwMessageCommand);
    auto* view = static_cast<CCWMesView*>(host.form(kCwMessageCommand));
    ASSERT_TRUE(view && QTest::qWaitForWindowActive(view));
    const int refreshes = host.refreshes;
    typeInto(view->control(cwmessage::kItemFirstMessage + 2), "");
    EXPECT_EQ(main[0x0580 + 64], 0xFF);
    EXPECT_EQ(getU16(main, feature::kKeyFunctions + feature::kGroupStride), 0x2020);
    EXPECT_GT(host.refreshes, refreshes);
}

} // namespace
