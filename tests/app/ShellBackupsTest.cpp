// Backups around Read and Write, the read-back box of the write dialog and File > Backups.
#include "ShellRig.h"

#include "app/CBackupsDialog.h"
#include "app/CTransferDialog.h"
#include "app/ShellCommands.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTableWidget>

#include <gtest/gtest.h>

#include <filesystem>

namespace rps::test {
namespace {

namespace fs = std::filesystem;

// A rig that reads, writes and looks into its own backups folder.
struct BackupRig : ShellRig {
    explicit BackupRig(sim::SimMemory memory = sim::defaultMemory(0x0400)) : ShellRig(std::move(memory)) {}
    fs::path unit(const std::string& name) const
    {
        return folder.path() / "data" / "rps360t" / "backups" / name;
    }
    static long count(const fs::path& folder)
    {
        return fs::exists(folder) ? std::distance(fs::directory_iterator(folder), {}) : 0;
    }
    void read()
    {
        whenModal<CTransferDialog>([](CTransferDialog& dialog) { dialog.start(); });
        trigger(cmd::kReadFromRadio);
    }
    void write(std::function<void(CWriteDialog&)> before = {})
    {
        whenModal<CWriteDialog>([before](CWriteDialog& dialog) {
            if (before)
                before(dialog);
            dialog.start();
        });
        trigger(cmd::kWriteToRadio);
    }
};

TEST(ShellBackups, ReadsAndWritesAreFiledUnderTheUnitTheImageCameFrom)
{
    BackupRig rig;
    ASSERT_TRUE(rig.start());
    rig.write();
    EXPECT_EQ(BackupRig::count(rig.unit("QLM-640-unknown")), 1) << "no read in this run yet";

    rig.dialogs.answers = {MessageAnswer::No}; // the write's stamps are not saved
    rig.read();
    const fs::path serial = rig.unit("QLM-640-SN0000360123");
    EXPECT_EQ(BackupRig::count(serial), 1);
    rig.image().main()[0x2345] = 0x3C;
    rig.write();
    EXPECT_EQ(BackupRig::count(serial), 2) << "the write after that read";
    EXPECT_EQ(rig.dialogs.messages.back().text, rig.text(572));

    // New replaces the image: its data no longer comes from that unit.
    rig.dialogs.answers = {MessageAnswer::Ok, MessageAnswer::No};
    rig.trigger(cmd::kNew);
    rig.write();
    EXPECT_EQ(BackupRig::count(serial), 2);
    EXPECT_EQ(BackupRig::count(rig.unit("QLM-640-unknown")), 2);
}

TEST(ShellBackups, ADifferentReadBackFailsTheWriteAndTheBoxIsRemembered)
{
    BackupRig rig;
    rig.repeater.config().faults.storeWrongBlock = 2;
    ASSERT_TRUE(rig.start());
    bool checkedAtFirst = false;
    rig.write([&checkedAtFirst](CWriteDialog& dialog) { checkedAtFirst = dialog.verifyBox()->isChecked(); });
    EXPECT_TRUE(checkedAtFirst);
    ASSERT_FALSE(rig.dialogs.messages.empty());
    EXPECT_EQ(rig.dialogs.messages.back().text.find(rig.text(491)), 0u);
    EXPECT_NE(rig.dialogs.messages.back().text.find("[message.line-1]"), std::string::npos);

    rig.write([](CWriteDialog& dialog) { dialog.verifyBox()->setChecked(false); });
    EXPECT_EQ(rig.dialogs.messages.back().text, rig.text(572));
    bool keptUnchecked = false;
    whenModal<CWriteDialog>([&keptUnchecked](CWriteDialog& dialog) {
        keptUnchecked = !dialog.verifyBox()->isChecked();
        dialog.reject();
    });
    rig.trigger(cmd::kWriteToRadio);
    EXPECT_TRUE(keptUnchecked);
}

TEST(ShellBackups, TheBackupsListOpensTheChosenBackupAsOpenDoes)
{
    sim::SimMemory memory = sim::defaultMemory(0x0400);
    memory.blocks[0x2345] = 0x5A;
    BackupRig rig(memory);
    ASSERT_TRUE(rig.start());
    rig.read();
    rig.image().main()[0x2345] = 0x11; // unsaved; the user does not keep it

    int rows = 0;
    QString unit;
    whenModal<CBackupsDialog>([&rows, &unit](CBackupsDialog& dialog) {
        rows = dialog.table()->rowCount();
        unit = dialog.table()->item(0, 0)->text();
        dialog.table()->selectRow(0);
        dialog.openButton()->click();
    });
    rig.dialogs.answers = {MessageAnswer::No};
    rig.trigger(cmd::kBackups);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(unit, "QLM-640-SN0000360123");
    EXPECT_EQ(rig.image().main()[0x2345], 0x5A);
    EXPECT_FALSE(rig.image().isModified());
}

} // namespace
} // namespace rps::test
