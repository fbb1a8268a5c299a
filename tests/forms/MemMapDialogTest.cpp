#include "FormTestHost.h"
#include "model/records/ChannelStore.h"
#include "service/CMemMapDialog.h"
#include "service/MemDebugBridge.h"
#include "service/MemMapOpeners.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::FormTestHost;

namespace {

class MemMapDialogTest : public ::testing::Test {
protected:
    void open(std::span<uint8_t> bytes, std::size_t base, bool mainArea)
    {
        MemMapDialogSetup setup{"Memory Map", "Characters", "Close", true, 0};
        dialog = std::make_unique<CMemMapDialog>(
            [bytes, base, mainArea] {
                return std::optional<MemMapWindow>({bytes, base, 0, mainArea});
            },
            host.image.main(), setup);
        QObject::connect(dialog.get(), &CMemMapDialog::writeRefused, [this](int text) { refused = text; });
        dialog->show();
        dialog->grid()->setFocus();
        QApplication::processEvents();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers mods = Qt::NoModifier)
    {
        QTest::keyClick(QApplication::focusWidget(), k, mods);
        QApplication::processEvents();
    }
    void typeText(const char* text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        QApplication::processEvents();
    }

    FormTestHost host;
    std::unique_ptr<CMemMapDialog> dialog;
    int refused = 0;
};

} // namespace

TEST_F(MemMapDialogTest, TypedHexDigitsAreStoredAndAnEmptyEntryIsFF)
{
    open(host.image.aux(), 0, false);
    dialog->grid()->selectOffset(0x21);
    typeText("a");
    ASSERT_TRUE(dialog->grid()->isEditing());
    key(Qt::Key_Return);
    EXPECT_EQ(host.image.aux()[0x21], 0x0A);
    EXPECT_TRUE(dialog->model()->changed());

    host.image.aux()[0x22] = 0x12;
    dialog->grid()->selectOffset(0x22);
    key(Qt::Key_Backspace);
    key(Qt::Key_Return);
    EXPECT_EQ(host.image.aux()[0x22], 0xFF);

    dialog->grid()->selectOffset(0x23);
    typeText("g"); // not a hex digit: nothing opens
    EXPECT_FALSE(dialog->grid()->isEditing());
    typeText("7");
    key(Qt::Key_Escape);
    EXPECT_EQ(host.image.aux()[0x23], 0xFF);
}

TEST_F(MemMapDialogTest, F2OpensTheCellEditorLikeEnter)
{
    open(host.image.aux(), 0, false);
    host.image.aux()[0x30] = 0x5A;
    dialog->grid()->selectOffset(0x30);
    key(Qt::Key_F2);
    ASSERT_TRUE(dialog->grid()->isEditing());
    key(Qt::Key_Backspace);
    key(Qt::Key_Backspace);
    typeText("3");
    key(Qt::Key_Return);
    EXPECT_EQ(host.image.aux()[0x30], 0x03);
}

TEST_F(MemMapDialogTest, TraceViewerStartsAtF800)
{
    open(host.image.local(), 0xF800, false);
    EXPECT_EQ(dialog->model()->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "   F80_");
    EXPECT_EQ(dialog->model()->rowCount(), 16);
    EXPECT_EQ(dialog->addressField()->text(), "F800");
}

TEST_F(MemMapDialogTest, ArrowsWrapBetweenLinesAndAddressEntryStaysInside)
{
    open(host.image.aux(), 0, false);
    dialog->grid()->selectOffset(0x1F);
    key(Qt::Key_Right);
    EXPECT_EQ(dialog->addressField()->text(), "0020");
    key(Qt::Key_Left);
    EXPECT_EQ(dialog->addressField()->text(), "001F");

    dialog->addressField()->setText("04F3");
    QTest::keyClick(dialog->addressField(), Qt::Key_Return);
    EXPECT_EQ(dialog->model()->offsetOf(dialog->grid()->currentIndex()), 0x4F3u);
    EXPECT_TRUE(dialog->isVisible()) << "Enter in the address entry closed the viewer";
    dialog->addressField()->setText("0500"); // past the auxiliary block
    QTest::keyClick(dialog->addressField(), Qt::Key_Return);
    EXPECT_EQ(dialog->model()->offsetOf(dialog->grid()->currentIndex()), 0x4F3u);
}

TEST_F(MemMapDialogTest, CharacterColumnsTakeTypedCharactersAndCtrlTabJumps)
{
    open(host.image.aux(), 0, false);
    dialog->charactersBox()->setChecked(true);
    dialog->grid()->setFocus();
    dialog->grid()->selectOffset(0x40);
    key(Qt::Key_Tab, Qt::ControlModifier);
    ASSERT_TRUE(dialog->model()->isCharColumn(dialog->grid()->currentIndex().column()));
    typeText("Z");
    EXPECT_EQ(host.image.aux()[0x40], 'Z');
    EXPECT_EQ(dialog->model()->offsetOf(dialog->grid()->currentIndex()), 0x41u);
}

TEST_F(MemMapDialogTest, EveryColumnHeaderFitsItsColumnWithAndWithoutCharacters)
{
    open(host.image.main(), 0, true);
    for (bool characters : {false, true}) {
        dialog->charactersBox()->setChecked(characters);
        QApplication::processEvents();
        QHeaderView* header = dialog->grid()->horizontalHeader();
        for (int column = 0; column < dialog->model()->columnCount(); ++column) {
            if (dialog->model()->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString().isEmpty())
                continue; // the gap before the characters
            EXPECT_GE(header->sectionSize(column), header->sectionSizeHint(column))
                << "column " << column << (characters ? " with characters" : "");
        }
    }
}

TEST_F(MemMapDialogTest, CharacterColumnsWidenTheWindowOnBothSidesAndKeepItOnItsScreen)
{
    open(host.image.main(), 0, true);
    const QRect room = dialog->screen()->availableGeometry();
    // Placed near the right edge, as a viewer opened over a wide main window can be.
    dialog->move(room.right() - dialog->frameGeometry().width() - 10, room.top() + 20);
    QApplication::processEvents();
    const QRect narrow = dialog->frameGeometry();
    dialog->charactersBox()->setChecked(true);
    QApplication::processEvents();
    const QRect wide = dialog->frameGeometry();
    ASSERT_GT(wide.width(), narrow.width());
    EXPECT_TRUE(room.contains(wide) || wide.width() > room.width()) << wide.left() << "," << wide.right();
    EXPECT_LT(wide.left(), narrow.left()); // grew to the left as well

    dialog->charactersBox()->setChecked(false);
    QApplication::processEvents();
    EXPECT_LE(std::abs(dialog->frameGeometry().center().x() - wide.center().x()), 1);
}

TEST_F(MemMapDialogTest, ModelBlockEditsThatBreakItAreRefused)
{
    open(host.image.main(), 0, true);
    const uint8_t before = host.image.main()[0x0402];
    dialog->grid()->selectOffset(0x0402);
    typeText("0");
    key(Qt::Key_Return);
    EXPECT_EQ(refused, kMemMapRefusedText);
    EXPECT_EQ(host.image.main()[0x0402], before);
}

TEST(MemMapOpenersTest, EmptyChannelHasNoRecordViewer)
{
    FormTestHost host;
    EXPECT_FALSE(openChannelRecordViewer(host.context, 3, nullptr));
}

TEST(MemMapOpenersTest, RecordViewerFollowsItsRecordAndClosesWithItsChannel)
{
    FormTestHost host;
    ChannelStore store(host.image);
    ASSERT_TRUE(store.create(0));
    ASSERT_TRUE(store.create(1));
    store.record(1)[0] = 0x5C;
    bool closedByItself = true;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        CMemMapModel* model = dialog->model();
        EXPECT_EQ(model->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "   108_");
        store.remove(0); // channel 2's record moves down into the first slot
        EXPECT_EQ(model->headerData(0, Qt::Vertical, Qt::DisplayRole).toString(), "   100_");
        EXPECT_EQ(model->index(0, 0).data().toString(), "5C");
        store.remove(1);
        EXPECT_FALSE(model->index(0, 0).data().isValid());
        // Should the viewer stay open, the test still ends.
        QTimer::singleShot(2000, dialog, [dialog, &closedByItself] {
            closedByItself = false;
            dialog->accept();
        });
    });
    openChannelRecordViewer(host.context, 1, nullptr);
    EXPECT_TRUE(closedByItself);
}

TEST(MemDebugBridgeTest, WorksWithoutTheLibraryAndAnswersItsMessages)
{
    FormTestHost host;
    MemDebugBridge bridge(host.context, nullptr);
    EXPECT_FALSE(bridge.load()); // the option is off: nothing is loaded
    host.options.supportUtility = true;
    EXPECT_FALSE(bridge.load(QStringLiteral("rps-no-such-debug-library")));
    EXPECT_FALSE(bridge.isLoaded());

    const int before = host.refreshes;
    bridge.handleMessage(MemDebugBridge::kAllUpdateMessage, 0, 0);
    EXPECT_EQ(host.refreshes, before + 1);

    // 'E' opens the EEPROM viewer at the address; an edit there refreshes the forms on close.
    QTimer::singleShot(0, [] {
        auto* dialog = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        EXPECT_EQ(dialog->addressField()->text(), "0123");
        dialog->model()->setData(dialog->grid()->currentIndex(), "5A", Qt::EditRole);
        dialog->accept();
    });
    bridge.handleMessage(MemDebugBridge::kMemMapMessage, 'E', 0x123);
    EXPECT_EQ(host.image.aux()[0x123], 0x5A);
    EXPECT_EQ(host.refreshes, before + 2);
}

TEST(MemMapModelTest, PassesTheItemModelTesterWithAndWithoutCharacters)
{
    ConfigImage image;
    CMemMapModel model(
        [&image] {
            return std::optional<MemMapWindow>({image.aux(), 0, 0, false});
        },
        image.main());
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model.columnCount(), 16);
    model.setCharactersShown(true);
    EXPECT_EQ(model.columnCount(), 33);
    EXPECT_FALSE(model.offsetOf(model.index(0, CMemMapModel::kGapColumn)).has_value());
    EXPECT_TRUE(model.setData(model.index(3, 2), "c4", Qt::EditRole));
    EXPECT_EQ(image.aux()[0x32], 0xC4);
    EXPECT_EQ(model.index(3, CMemMapModel::kFirstCharColumn + 2).data().toString(), ".");
}
