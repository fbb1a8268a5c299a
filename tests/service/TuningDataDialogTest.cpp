// The "Tuning Data" dialog with real widgets over the in-process simulated repeater.
#include "TestPaths.h"
#include "link/ProtocolBytes.h"
#include "link/TransferRig.h"
#include "model/TempFolder.h"

#include "forms/common/CGridView.h"
#include "forms/common/CSpinEdit.h"
#include "service/CTuningDataDialog.h"
#include "service/tuning/TuningBlockTable.h"

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

namespace rps::test {
namespace {

class FileDialogs : public RecordingDialogs {
public:
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return openPath; }
    std::optional<std::string> chooseSaveFile(const FileRequest& request) override
    {
        saveRequest = request;
        return savePath;
    }
    std::optional<std::string> openPath;
    std::optional<std::string> savePath;
    FileRequest saveRequest;
};

class TuningDataDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dialog = std::make_unique<CTuningDataDialog>(
            TuningDataParts{numberedTexts(), dialogs, rig.link, folder.path().string(), '.'});
        dialog->resize(1280, 800);
        dialog->show();
        QApplication::processEvents();
    }
    TuningBlockBytes radioBlock() const
    {
        TuningBlockBytes block;
        std::copy_n(rig.repeater.memory().memory.begin() + kTuningBlockAddress, block.size(), block.begin());
        return block;
    }
    QString cell(int row) const { return dialog->grid()->model()->index(row, 0).data().toString(); }
    void key(Qt::Key k)
    {
        QTest::keyClick(QApplication::focusWidget(), k);
        QApplication::processEvents();
    }
    void type(const QString& text)
    {
        QTest::keyClicks(QApplication::focusWidget(), text);
        key(Qt::Key_Return);
    }

    TempFolder folder;
    LinkRig rig;
    FileDialogs dialogs;
    std::unique_ptr<CTuningDataDialog> dialog;
};

TEST_F(TuningDataDialogTest, WriteAndSaveWaitForACompleteBlockFromTheRepeater)
{
    QAbstractItemModelTester tester(dialog->grid()->model());
    EXPECT_EQ(dialog->grid()->model()->rowCount(), 387);
    EXPECT_EQ(dialog->grid()->model()->headerData(0, Qt::Vertical).toString(), "T279 T699");
    EXPECT_FALSE(dialog->writeButton()->isEnabled());
    EXPECT_FALSE(dialog->saveButton()->isEnabled());
    EXPECT_FALSE(dialog->saveAsButton()->isEnabled());
    EXPECT_TRUE(dialog->unitLabel()->isHidden());
    EXPECT_EQ(cell(6), "1"); // a zeroed block shows its 1-byte values as 1

    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->state().data().block, radioBlock());
    EXPECT_EQ(dialogs.asked.back().text, T(550));
    EXPECT_TRUE(dialog->writeButton()->isEnabled());
    EXPECT_TRUE(dialog->saveButton()->isEnabled());
    EXPECT_FALSE(dialog->unitLabel()->isHidden());
    EXPECT_TRUE(dialog->unitLabel()->text().contains("SN0000360123"));
    EXPECT_TRUE(dialog->fileLabel()->text().endsWith("rps360t.tun"));
    EXPECT_EQ(cell(6), QString::number(radioBlock()[20] + 1));
}

TEST_F(TuningDataDialogTest, TheEditSpinChangesTheSelectedValueAndWriteSendsIt)
{
    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    const uint8_t before = radioBlock()[20];
    dialog->grid()->setCurrentCell(6, 0);
    QApplication::processEvents();
    dialog->editSpin()->setFocus();
    key(Qt::Key_Up);
    EXPECT_EQ(dialog->state().data().block[20], static_cast<uint8_t>(before + 1));
    EXPECT_EQ(cell(6), QString::number(before + 2));
    dialog->editSpin()->selectAll();
    type("300");
    EXPECT_EQ(dialog->state().data().block[20], 255);
    EXPECT_EQ(dialog->editSpin()->text(), "256");

    QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().text, T(572));
    EXPECT_EQ(radioBlock(), dialog->state().data().block);
}

TEST_F(TuningDataDialogTest, AFailedReadKeepsTheBlockAndAFailedWriteClearsNothing)
{
    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    const TuningBlockBytes read = dialog->state().data().block;
    const QString file = dialog->fileLabel()->text();
    rig.repeater.config().faults.silentCommands[proto::kMemoryRead] = -1;
    rig.repeater.config().faults.silentCommands[proto::kMemoryWrite] = -1;
    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    QTest::mouseClick(dialog->writeButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().text, T(773));
    EXPECT_EQ(dialog->state().data().block, read);
    EXPECT_EQ(dialog->fileLabel()->text(), file);
    EXPECT_TRUE(dialog->writeButton()->isEnabled());
}

TEST_F(TuningDataDialogTest, SaveAsAndOpenRoundTripAndARefusedFileChangesNothing)
{
    QTest::mouseClick(dialog->readButton(), Qt::LeftButton);
    dialogs.savePath = folder.file("unit.tun");
    QTest::mouseClick(dialog->saveAsButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.saveRequest.proposedName, "rps360t.tun");
    EXPECT_EQ(dialog->fileLabel()->text().toStdString(), folder.file("unit.tun"));

    std::vector<uint8_t> data = readBytes(folder.file("unit.tun"));
    ASSERT_EQ(data.size(), 872u);
    data[32] = 'D';
    writeBytes(folder.file("data.tun"), data);
    const TuningBlockBytes shown = dialog->state().data().block;
    dialogs.openPath = folder.file("data.tun");
    QTest::mouseClick(dialog->openButton(), Qt::LeftButton);
    EXPECT_EQ(dialogs.asked.back().text, T(784));
    EXPECT_EQ(dialog->fileLabel()->text().toStdString(), folder.file("unit.tun"));

    data[32] = 'T';
    data[96 + 20] = 7;
    writeBytes(folder.file("other.tun"), data);
    dialogs.openPath = folder.file("other.tun");
    QTest::mouseClick(dialog->openButton(), Qt::LeftButton);
    EXPECT_EQ(dialog->state().data().block[20], 7);
    EXPECT_EQ(cell(6), "8");
    EXPECT_NE(dialog->state().data().block, shown);
}

// RPS_SCREENSHOT_DIR=FOLDER: the dialog in English at 1280x800 after a read, row 15 selected.
TEST(TuningDataDialogPicture, InEnglishAfterARead)
{
    const char* shots = std::getenv("RPS_SCREENSHOT_DIR");
    if (!shots)
        GTEST_SKIP() << "RPS_SCREENSHOT_DIR not set";
    LanguageTable english;
    english.loadFile(kLanguageFile, "English");
    TempFolder folder;
    LinkRig rig;
    RecordingDialogs dialogs;
    CTuningDataDialog dialog(TuningDataParts{english, dialogs, rig.link, folder.path().string(), '.'});
    dialog.resize(1280, 800);
    dialog.show();
    QTest::mouseClick(dialog.readButton(), Qt::LeftButton);
    dialog.grid()->setCurrentCell(15, 0);
    QApplication::processEvents();
    dialog.grab().save(QString::fromLocal8Bit(shots) + "/tuning-data.png");
}

} // namespace
} // namespace rps::test
