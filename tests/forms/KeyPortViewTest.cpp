// The key assignment and function port forms with real widgets: opened through the catalogue,
// their drop-downs chosen, the image checked.
#include "FormTestHost.h"
#include "GridDriver.h"
#include "forms/common/CFieldForm.h"
#include "forms/common/CGridView.h"
#include "forms/feature/CFrontPanelWidget.h"
#include "forms/feature/CFuncPortView.h"
#include "forms/feature/CKeyView.h"
#include "model/ByteOrder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::dropDown;
using rps::test::FormTestHost;
using rps::test::press;

namespace {

class KeyPortViewTest : public ::testing::Test {
protected:
    void SetUp() override { host.image.clear(); }
    template <class View> View* open(int command)
    {
        host.openForm(command);
        auto* view = static_cast<View*>(host.form(command));
        EXPECT_NE(view, nullptr);
        if (view) {
            view->resize(1000, 600);
            EXPECT_TRUE(QTest::qWaitForWindowActive(view));
        }
        return view;
    }
    void choose(CGridView* grid, int row, int column, int label)
    {
        test::chooseIn(grid, row, column, text(label));
    }
    static QString cell(CGridView* grid, int row, int column) { return test::cellOf(grid, row, column); }
    QString text(int number) const { return QString::fromStdString(host.texts.text(number)); }
    uint8_t& byte(std::size_t offset) { return host.image.main()[offset]; }

    FormTestHost host;
};

} // namespace

TEST_F(KeyPortViewTest, KeyGridShowsAnUnofferedFunctionByNameAndItsDropDownAsOff)
{
    byte(0x291) = 10;
    setU16(host.image.main(), 0x2C8, 0x3035); // key 2
    auto* view = open<CKeyView>(CKeyView::kCommand);
    ASSERT_NE(view, nullptr);
    EXPECT_EQ(cell(view->grid(), 1, 0), text(1247));
    EXPECT_EQ(view->grid()->model()->headerData(1, Qt::Vertical).toString(), text(1120));

    QComboBox* combo = dropDown(view->grid(), 1, 0);
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(combo->currentIndex(), -1);
    EXPECT_EQ(combo->placeholderText(), text(849));
    EXPECT_EQ(combo->findText(text(1247)), -1);
    EXPECT_GE(combo->findText(text(1248)), 0); // 0x3235, the key's own variant
    press(Qt::Key_Escape);
    EXPECT_EQ(getU16(host.image.main(), 0x2C8), 0x3035);
}

TEST_F(KeyPortViewTest, ChoosingAKeyFunctionStoresItAndResetsTheRemoteEntryOnlyOnAChange)
{
    setU16(host.image.main(), 0x2D0, 0x3131); // key 3
    const std::size_t remote = 0x690 + 3 * 2;
    byte(remote) = 0x03;
    byte(remote + 2) = 0x01;
    auto* view = open<CKeyView>(CKeyView::kCommand);
    ASSERT_NE(view, nullptr);
    const int refreshes = host.refreshes;

    choose(view->grid(), 2, 0, 1231); // the same function
    EXPECT_EQ(byte(remote), 0x03);
    EXPECT_EQ(host.refreshes, refreshes);

    choose(view->grid(), 2, 0, 1279); // 0x322A
    EXPECT_EQ(getU16(host.image.main(), 0x2D0), 0x322A);
    EXPECT_EQ(byte(remote), 0xFF);
    EXPECT_EQ(byte(remote + 2), 0x00);
    EXPECT_EQ(cell(view->grid(), 2, 0), text(1279));
    EXPECT_GT(host.refreshes, refreshes); // the forms showing keys and remote entries re-read
}

TEST_F(KeyPortViewTest, ThePanelFollowsTheGridAndAClickSelectsTheKeysRow)
{
    auto* view = open<CKeyView>(CKeyView::kCommand);
    ASSERT_NE(view, nullptr);
    view->grid()->setCurrentCell(3, 0);
    EXPECT_EQ(view->panel()->selectedKey(), 3);
    QTest::mouseClick(view->panel(), Qt::LeftButton, {}, view->panel()->keyRect(5).center());
    EXPECT_EQ(view->grid()->currentIndex().row(), 5);
    EXPECT_EQ(view->panel()->selectedKey(), 5);
}

TEST_F(KeyPortViewTest, PortModesRebuildTheInputAndOutputGrids)
{
    for (std::size_t port = 0; port < 6; ++port)
        byte(0x2A8 + port) = port == 1 || port == 4 ? 0 : 1; // ports 2 and 5 are inputs
    byte(0x2AF) = 0xFF;
    auto* view = open<CFuncPortView>(CFuncPortView::kCommand);
    ASSERT_NE(view, nullptr);
    CGridView* inputs = view->inputGrid();
    ASSERT_EQ(inputs->model()->rowCount(), 5);
    EXPECT_EQ(inputs->model()->headerData(3, Qt::Vertical).toString(), text(1078)); // port 2 (0x310)
    EXPECT_EQ(inputs->model()->headerData(4, Qt::Vertical).toString(), text(1081)); // port 5 (0x328)
    EXPECT_EQ(view->outputGrid()->model()->rowCount(), 5 + 4);

    // Port 1 in mode 3 takes ports 2..4 along; back to input gives them mode 0.
    choose(view->modeGrid(), 0, 0, 1069);
    EXPECT_EQ(byte(0x2A9), 3);
    EXPECT_EQ(byte(0x2AB), 3);
    EXPECT_FALSE(view->modeGrid()->model()->index(2, 0).flags() & Qt::ItemIsEditable);
    EXPECT_EQ(cell(view->modeGrid(), 2, 0), text(1069)); // the group's mode, on grey
    EXPECT_EQ(inputs->model()->rowCount(), 4);           // fixed inputs and port 5
    choose(view->modeGrid(), 0, 0, 1066);
    EXPECT_EQ(byte(0x2A9), 0);
    EXPECT_EQ(inputs->model()->rowCount(), 3 + 5);
    EXPECT_EQ(view->outputGrid()->model()->rowCount(), 5 + 1);
}

TEST_F(KeyPortViewTest, EmptyingTheFirstSlotOfAnInputRowEmptiesTheRow)
{
    setU16(host.image.main(), 0x2F8, 0x3131); // fixed input 2
    setU16(host.image.main(), 0x2FA, 0x3131);
    setU16(host.image.main(), 0x2FC, 0x3131);
    auto* view = open<CFuncPortView>(CFuncPortView::kCommand);
    ASSERT_NE(view, nullptr);
    choose(view->inputGrid(), 1, 0, 1298);
    for (std::size_t slot : {0x2F8, 0x2FA, 0x2FC})
        EXPECT_EQ(getU16(host.image.main(), slot), 0x2020);
    // The later slots are grey and empty.
    EXPECT_EQ(cell(view->inputGrid(), 1, 1), "");
    EXPECT_FALSE(view->inputGrid()->model()->index(1, 2).flags() & Qt::ItemIsEditable);
}

TEST_F(KeyPortViewTest, TheInputLevelListAndOutputLevelCells)
{
    byte(0x2AF) = 0x00;
    byte(0x500) = 0x20; // fixed output 1: nothing driven, level grey and empty
    byte(0x501) = 0x00;
    auto* view = open<CFuncPortView>(CFuncPortView::kCommand);
    ASSERT_NE(view, nullptr);
    auto* level = qobject_cast<QComboBox*>(view->levelForm()->control(2));
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->currentText(), text(1096));
    level->setFocus();
    press(Qt::Key_Up); // the entry above: active high
    EXPECT_EQ(level->currentText(), text(1095));
    EXPECT_EQ(byte(0x2AF), 0xFF);
    EXPECT_EQ(cell(view->outputGrid(), 0, 1), "");
    choose(view->outputGrid(), 0, 0, 1335); // driven by key
    EXPECT_EQ(byte(0x500), 0x3C);
    EXPECT_EQ(cell(view->outputGrid(), 0, 1), text(1094));
}

TEST_F(KeyPortViewTest, BrowsingAClosedFunctionListStoresNothingUntilEnter)
{
    setU16(host.image.main(), 0x2D8, 0x322A); // PF4: key lock
    auto* view = open<CKeyView>(CKeyView::kCommand);
    ASSERT_NE(view, nullptr);
    const std::vector<uint8_t> before(host.image.main().begin(), host.image.main().end());
    auto unchanged = [&] { return std::equal(before.begin(), before.end(), host.image.main().begin()); };

    QComboBox* combo = dropDown(view->grid(), 3, 0); // Enter: the list stays closed
    ASSERT_NE(combo, nullptr);
    EXPECT_FALSE(combo->view()->isVisible());
    EXPECT_EQ(combo->currentText(), text(1279));
    press(Qt::Key_Down);
    EXPECT_NE(combo->currentText(), text(1279));
    press(Qt::Key_S);
    EXPECT_TRUE(combo->currentText().startsWith("S"));
    EXPECT_TRUE(unchanged());
    press(Qt::Key_Escape);
    EXPECT_FALSE(view->grid()->isEditing());
    EXPECT_TRUE(unchanged());
    EXPECT_EQ(cell(view->grid(), 3, 0), text(1279));

    combo = dropDown(view->grid(), 3, 0);
    ASSERT_NE(combo, nullptr);
    press(Qt::Key_Down);
    const QString browsed = combo->currentText();
    press(Qt::Key_Return);
    EXPECT_EQ(cell(view->grid(), 3, 0), browsed);
    EXPECT_NE(getU16(host.image.main(), 0x2D8), 0x322A);
}

TEST_F(KeyPortViewTest, BrowsingAClosedPortModeListStoresNothing)
{
    for (std::size_t port = 0; port < 6; ++port)
        byte(0x2A8 + port) = 0; // every port an input
    auto* view = open<CFuncPortView>(CFuncPortView::kCommand);
    ASSERT_NE(view, nullptr);
    const std::vector<uint8_t> before(host.image.main().begin(), host.image.main().end());
    const int inputs = view->inputGrid()->model()->rowCount();
    QComboBox* combo = dropDown(view->modeGrid(), 4, 0); // AUX port 5
    ASSERT_NE(combo, nullptr);
    const QString mode = combo->currentText();
    press(Qt::Key_Down);
    EXPECT_NE(combo->currentText(), mode);
    press(Qt::Key_Escape);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), host.image.main().begin()));
    EXPECT_EQ(cell(view->modeGrid(), 4, 0), mode);
    EXPECT_EQ(view->inputGrid()->model()->rowCount(), inputs);
}

TEST_F(KeyPortViewTest, EscClosesTheKeyAndPortFormsUnlessAnEditorOrListIsOpen)
{
    auto closedAfterEsc = [this](QWidget* focus, int command) {
        focus->setFocus();
        press(Qt::Key_Escape);
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        return !host.closed.empty() && host.closed.back() == command && host.form(command) == nullptr;
    };

    auto* keys = open<CKeyView>(CKeyView::kCommand);
    ASSERT_NE(keys, nullptr);
    EXPECT_TRUE(closedAfterEsc(keys->grid(), CKeyView::kCommand));

    keys = open<CKeyView>(CKeyView::kCommand);
    ASSERT_NE(keys, nullptr);
    ASSERT_NE(dropDown(keys->grid(), 0, 0), nullptr);
    press(Qt::Key_Escape); // the editor first
    EXPECT_EQ(host.form(CKeyView::kCommand), keys);
    EXPECT_TRUE(closedAfterEsc(QApplication::focusWidget(), CKeyView::kCommand));

    auto* ports = open<CFuncPortView>(CFuncPortView::kCommand);
    ASSERT_NE(ports, nullptr);
    // Only Esc itself closes: a letter, or Esc with Shift, that a button has no use for does not.
    auto* close = ports->findChild<QPushButton*>("close");
    close->setFocus();
    press(Qt::Key_X);
    press(Qt::Key_Escape, Qt::ShiftModifier);
    EXPECT_TRUE(host.closed.empty() || host.closed.back() != CFuncPortView::kCommand);
    EXPECT_EQ(host.form(CFuncPortView::kCommand), ports);
    EXPECT_TRUE(closedAfterEsc(close, CFuncPortView::kCommand));

    ports = open<CFuncPortView>(CFuncPortView::kCommand);
    ASSERT_NE(ports, nullptr);
    auto* level = qobject_cast<QComboBox*>(ports->levelForm()->control(2));
    ASSERT_NE(level, nullptr);
    level->setFocus();
    level->showPopup();
    QApplication::processEvents();
    ASSERT_TRUE(level->view()->isVisible());
    press(Qt::Key_Escape); // the list first
    EXPECT_FALSE(level->view()->isVisible());
    EXPECT_EQ(host.form(CFuncPortView::kCommand), ports);
    EXPECT_TRUE(closedAfterEsc(level, CFuncPortView::kCommand));
}
