// The remote-control form with real widgets: codes chosen in the grids' in-cell lists, the
// function column read-only, the AUX grids following the port modes on refresh, and the
// transponder lists following their single-tone check boxes.
#include "forms/FormTestHost.h"
#include "forms/GridDriver.h"
#include "forms/common/CFieldForm.h"
#include "forms/common/CGridView.h"
#include "forms/signalling/CRemoteView.h"
#include "forms/signalling/RemoteFields.h"
#include "model/ByteOrder.h"
#include "model/DefaultBuilder.h"
#include "model/FeatureMap.h"
#include "model/SignallingMap.h"

#include <QCheckBox>
#include <QComboBox>
#include <QTabWidget>
#include <gtest/gtest.h>

using namespace rps;
using namespace rps::signalling;
using rps::test::cellOf;
using rps::test::chooseIn;
using rps::test::dropDown;
using rps::test::FormTestHost;
using rps::test::press;

namespace {

constexpr int kActivation = 1;

class RemoteViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        InstallationId none{};
        none.fill(0xFF);
        newImage(host.image, none);
        for (int k = 0; k < 2; ++k)
            setU16(host.image.main(), feature::kKeyFunctions + 8 * static_cast<std::size_t>(k), 0x3235);
        for (int r = 0; r < 3; ++r)
            host.image.main()[kDecodeTable + kCodeRecordSize * static_cast<std::size_t>(r)] = '1';
        host.openForm(kRemoteControlCommand);
        view = static_cast<CRemoteView*>(host.form(kRemoteControlCommand));
        ASSERT_NE(view, nullptr);
        ASSERT_TRUE(QTest::qWaitForWindowActive(view));
    }
    QString text(int n) const { return QString::fromStdString(host.texts.text(n)); }
    QStringList entries(CGridView* grid, int row, int column)
    {
        QComboBox* combo = dropDown(grid, row, column);
        QStringList list;
        for (int i = 0; combo && i < combo->count(); ++i)
            list << combo->itemText(i);
        press(Qt::Key_Escape);
        return list;
    }

    FormTestHost host;
    CRemoteView* view = nullptr;
};

TEST_F(RemoteViewTest, AChosenDecodeCodeLeavesTheOtherCellsLists)
{
    CGridView* keys = view->keyGrid();
    EXPECT_EQ(keys->model()->rowCount(), 6);
    EXPECT_FALSE(cellOf(keys, 0, 0).isEmpty()); // the key's function, not editable
    EXPECT_FALSE(keys->model()->index(0, 0).flags() & Qt::ItemIsEditable);
    const QString decode3 = text(1134) + " 3";
    chooseIn(keys, 0, kActivation, decode3);
    EXPECT_EQ(host.image.main()[feature::kRemoteKeys], 2);
    EXPECT_EQ(cellOf(keys, 0, kActivation), decode3);
    EXPECT_FALSE(entries(keys, 1, kActivation).contains(decode3));
    EXPECT_TRUE(entries(keys, 0, kActivation).contains(decode3));
}

TEST_F(RemoteViewTest, TheAuxGridsFollowThePortModesOnRefresh)
{
    const int inputs = view->inputGrid()->model()->rowCount();
    const int outputs = view->outputGrid()->model()->rowCount();
    ASSERT_EQ(host.image.main()[feature::kPortModes], 0);
    host.image.main()[feature::kPortModes] = 1; // port 1 becomes an output
    host.refreshAllForms();
    EXPECT_EQ(view->inputGrid()->model()->rowCount(), inputs - 1);
    EXPECT_EQ(view->outputGrid()->model()->rowCount(), outputs + 1);
    // Port 1 follows the five fixed outputs.
    EXPECT_EQ(view->outputGrid()->model()->headerData(5, Qt::Vertical).toString(), text(1077));
}

TEST_F(RemoteViewTest, SingleToneDisablesTheTransponderLists)
{
    CFieldForm* transponder = view->wideForm(0);
    auto* tone = qobject_cast<QCheckBox*>(transponder->control(remotectl::kItemKeyTransponderTone));
    QWidget* activation = transponder->control(remotectl::kItemKeyTransponderOn);
    ASSERT_TRUE(tone && activation);
    EXPECT_TRUE(activation->isEnabled());
    tone->click();
    EXPECT_EQ(host.image.main()[0x06A4], 0x00);
    EXPECT_FALSE(activation->isEnabled());
    EXPECT_EQ(view->pages()->count(), 2);
}

} // namespace
