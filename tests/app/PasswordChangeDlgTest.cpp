// The password change question with real widgets: the confirmation opens only with a new
// password, a refused old password is put back and the question stays, and a repeater
// without a password is not asked for the old one.
#include "app/CPasswordChangeDlg.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace rps {
namespace {

PasswordChangeRequest request(bool oldEnabled)
{
    return {"Password Change", "Old Password", "New Password", "Confirmation", "ab12", oldEnabled, 6};
}

QLineEdit* field(QDialog& dialog, const char* name)
{
    return dialog.findChild<QLineEdit*>(name);
}

TEST(PasswordChangeDlg, ConfirmationOpensOnlyWithANewPassword)
{
    CPasswordChangeDlg dialog(
        request(true), [](PasswordChangeEntry&) { return PasswordVerdict::TryAgain; }, "&Write", "&Close");
    dialog.show();
    QLineEdit* fresh = field(dialog, "newPassword");
    QLineEdit* confirmation = field(dialog, "confirmation");
    EXPECT_EQ(field(dialog, "oldPassword")->text(), "ab12");
    EXPECT_FALSE(confirmation->isEnabled());
    QTest::keyClicks(fresh, "n-1!x");
    EXPECT_EQ(fresh->text(), "n1x"); // letters and digits only
    ASSERT_TRUE(confirmation->isEnabled());
    QTest::keyClicks(confirmation, "n1x");
    fresh->selectAll();
    QTest::keyClick(fresh, Qt::Key_Delete);
    EXPECT_FALSE(confirmation->isEnabled());
    EXPECT_EQ(confirmation->text(), "");
}

TEST(PasswordChangeDlg, WriteHandsTheEntryToTheCheckWhichKeepsOrClosesTheQuestion)
{
    std::vector<PasswordChangeEntry> seen;
    CPasswordChangeDlg dialog(
        request(true),
        [&seen](PasswordChangeEntry& entry) {
            seen.push_back(entry);
            if (seen.size() == 1) {
                entry.oldPassword = "ab12"; // refused: the stored one goes back
                return PasswordVerdict::TryAgain;
            }
            return PasswordVerdict::Accept;
        },
        "&Write", "&Close");
    dialog.show();
    QLineEdit* old = field(dialog, "oldPassword");
    old->clear();
    QTest::keyClicks(old, "zz");
    QTest::keyClicks(field(dialog, "newPassword"), "q7");
    QTest::keyClicks(field(dialog, "confirmation"), "q7");
    auto* write = dialog.findChild<QPushButton*>("write");
    QTest::mouseClick(write, Qt::LeftButton);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen[0].oldPassword, "zz");
    EXPECT_EQ(seen[0].confirmation, "q7");
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(old->text(), "ab12");
    QTest::mouseClick(write, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST(PasswordChangeDlg, WithoutARepeaterPasswordTheOldFieldIsClosed)
{
    PasswordChangeRequest noPassword = request(false);
    noPassword.oldPassword.clear();
    CPasswordChangeDlg dialog(
        noPassword, [](PasswordChangeEntry&) { return PasswordVerdict::Accept; }, "&Write", "&Close");
    EXPECT_FALSE(field(dialog, "oldPassword")->isEnabled());
    EXPECT_EQ(field(dialog, "oldPassword")->text(), "");
}

} // namespace
} // namespace rps
