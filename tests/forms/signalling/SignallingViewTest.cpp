// The DTMF and NXDN forms with real widgets, opened through the form catalogue as the Edit
// menu opens them.
#include "../FormTestHost.h"
#include "forms/common/CDeclaredFormView.h"
#include "forms/common/CSpinEdit.h"
#include "forms/signalling/DtmfFields.h"
#include "forms/signalling/NxdnFields.h"
#include "model/ByteOrder.h"
#include "model/SignallingMap.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using namespace rps::signalling;
using rps::test::FormTestHost;

namespace {

void typeInto(QWidget* control, const QString& text)
{
    control->setFocus();
    QWidget* target = CFieldForm::lineOf(control) ? CFieldForm::lineOf(control) : control;
    QTest::keyClick(target, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(target, Qt::Key_Delete);
    QTest::keyClicks(target, text);
    QTest::keyClick(target, Qt::Key_Tab);
    QApplication::processEvents();
}

QString shownIn(QWidget* control)
{
    return CFieldForm::lineOf(control)->text();
}

template <class View> View* open(FormTestHost& host, int command)
{
    host.openForm(command);
    auto* view = static_cast<View*>(host.form(command));
    if (view) {
        EXPECT_TRUE(QTest::qWaitForWindowActive(view));
    }
    return view;
}

} // namespace

TEST(DtmfViewTest, DelayClampsAndWrapsAndAnUnlistedSpeedStaysUntilChosen)
{
    FormTestHost host;
    host.image.main()[kDtmfSpeed] = 0xFF; // erased memory
    setU16(host.image.main(), kFirstDigitDelay, 200);
    auto* view = open<CDeclaredFormView>(host, kDtmfCommand);
    ASSERT_NE(view, nullptr);

    auto* speed = static_cast<QComboBox*>(view->control(dtmf::kItemSpeed));
    EXPECT_EQ(speed->currentIndex(), -1);
    EXPECT_EQ(speed->count(), 4);
    // Passing through the list writes nothing.
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Tab);
    QApplication::processEvents();
    EXPECT_EQ(host.image.main()[kDtmfSpeed], 0xFF);
    speed->setFocus();
    QTest::keyClick(speed, Qt::Key_Down);
    EXPECT_EQ(host.image.main()[kDtmfSpeed], 6);

    QWidget* delay = view->control(dtmf::kItemFirstDigitDelay);
    typeInto(delay, "75");
    EXPECT_EQ(getU16(host.image.main(), kFirstDigitDelay), 50);
    EXPECT_EQ(shownIn(delay), "50");
    typeInto(delay, "1234");
    EXPECT_EQ(getU16(host.image.main(), kFirstDigitDelay), 1000);
    delay->setFocus();
    QTest::keyClick(delay, Qt::Key_Up);
    EXPECT_EQ(getU16(host.image.main(), kFirstDigitDelay), 0);
    QTest::keyClick(delay, Qt::Key_Down);
    EXPECT_EQ(getU16(host.image.main(), kFirstDigitDelay), 1000);
    typeInto(delay, "");
    EXPECT_EQ(getU16(host.image.main(), kFirstDigitDelay), 0);
    EXPECT_EQ(shownIn(delay), "0");

    auto* remote = static_cast<QCheckBox*>(view->control(dtmf::kItemRemoteWithoutQt));
    host.image.main()[kRemoteWithoutQt] = 0xFF;
    host.refreshAllForms();
    EXPECT_TRUE(remote->isChecked());
    remote->setFocus();
    QTest::keyClick(remote, Qt::Key_Space);
    EXPECT_EQ(host.image.main()[kRemoteWithoutQt], 0x00);
}

TEST(NxdnViewTest, UnitIdAndNameAsTyped)
{
    FormTestHost host;
    setU16(host.image.main(), kNxdnUnitId, 0xFFFF);
    std::fill_n(host.image.main().begin() + kNxdnUnitName, kNxdnUnitNameSize, 0x00);
    auto* view = open<CDeclaredFormView>(host, kNxdnCommand);
    ASSERT_NE(view, nullptr);

    QWidget* id = view->control(nxdn::kItemUnitId);
    EXPECT_EQ(shownIn(id), "");
    id->setFocus();
    QTest::keyClick(id, Qt::Key_Down);
    EXPECT_EQ(getU16(host.image.main(), kNxdnUnitId), 65519);
    typeInto(id, "");
    EXPECT_EQ(getU16(host.image.main(), kNxdnUnitId), 0xFFFF);
    id->setFocus();
    QTest::keyClick(id, Qt::Key_Up);
    EXPECT_EQ(getU16(host.image.main(), kNxdnUnitId), 1);
    typeInto(id, "0");
    EXPECT_EQ(getU16(host.image.main(), kNxdnUnitId), 1);
    typeInto(id, "99999x");
    EXPECT_EQ(getU16(host.image.main(), kNxdnUnitId), 65519);

    QWidget* name = view->control(nxdn::kItemUnitName);
    name->setFocus();
    QTest::keyClicks(name, "Caf");
    QKeyEvent accented(QEvent::KeyPress, Qt::Key_Eacute, Qt::NoModifier, QString::fromUtf8("\xC3\xA9"));
    QApplication::sendEvent(name, &accented); // not printable ASCII: refused
    QTest::keyClicks(name, " AB  ");
    QTest::keyClick(name, Qt::Key_Tab);
    EXPECT_EQ(shownIn(name), "Caf AB");
    const auto main = host.image.main();
    EXPECT_EQ(std::string(main.begin() + kNxdnUnitName, main.begin() + kNxdnUnitName + 6), "Caf AB");
    EXPECT_TRUE(std::all_of(main.begin() + kNxdnUnitName + 6, main.begin() + kNxdnUnitName + 14,
                            [](uint8_t b) { return b == 0; }));

    auto* filter = static_cast<QComboBox*>(view->control(nxdn::kItemAudioFilter));
    host.image.main()[kNxdnAudioFilter] = 0x42;
    host.refreshAllForms();
    EXPECT_EQ(filter->currentIndex(), -1);
    auto* noise = static_cast<QCheckBox*>(view->control(nxdn::kItemNoiseSuppressor));
    host.image.main()[kNxdnAudioOptions] = 0x11;
    host.refreshAllForms();
    ASSERT_TRUE(noise->isChecked());
    noise->setFocus();
    QTest::keyClick(noise, Qt::Key_Space);
    EXPECT_EQ(host.image.main()[kNxdnAudioOptions], 0x10); // the other bits stay
}
