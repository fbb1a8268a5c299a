// Start-up with its password question, and the Security dialog's rules as the user meets them.
#include "ShellRig.h"

#include "app/AppSettings.h"
#include "app/CSecurityDialog.h"
#include "app/ProtectCodec.h"
#include "app/QtDialogService.h"
#include "app/SecurityRules.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

void protectStartup(ShellRig& rig, const std::string& password)
{
    const InstallationId id = loadInstallationId(rig.settings);
    rig.settings.writeString(kSettingProtect, encodeProtect(StoredPassword{password, true}, id));
}

TEST(ShellStartup, TwoWrongPasswordsThenTheRightOneStartTheApplication)
{
    ShellRig rig;
    protectStartup(rig, "4321");
    rig.dialogs.passwords = {"1111", "", "4321"};
    ASSERT_TRUE(rig.start());
    EXPECT_TRUE(rig.frame().isVisible());
    ASSERT_EQ(rig.dialogs.messages.size(), 2u);
    EXPECT_EQ(rig.dialogs.messages[0].text, rig.text(793));
    EXPECT_EQ(rig.dialogs.passwordCaptions.size(), 3u);
}

TEST(ShellStartup, ThreeWrongPasswordsEndTheStartWithoutStoringSettings)
{
    ShellRig rig;
    protectStartup(rig, "4321");
    rig.dialogs.passwords = {"1", "2", "3", "4321"};
    EXPECT_FALSE(rig.start());
    EXPECT_EQ(rig.app->mainFrame(), nullptr);
    rig.app->saveSettings();
    EXPECT_FALSE(rig.settings.contains(kSettingLastModel));
    EXPECT_EQ(rig.dialogs.passwords.size(), 1u); // the fourth answer was never asked for
}

// The real question: a wrong entry is answered over the open question, which stays open with
// the focus in its field, so the right entry is simply typed again.
TEST(ShellStartup, AWrongPasswordIsAnsweredOverTheQuestionThatStaysOpen)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadFile(kLanguageFile, "English"), LanguageLoadResult::Ok);
    QtDialogService dialogs(&texts);

    QPointer<QDialog> question;
    bool messageOverQuestion = false;
    QString messageText;
    bool openUnderMessage = false;
    bool openAfterMessage = false;
    bool focusInField = false;
    // Message boxes are read and closed as they come; any other question that comes up (a
    // question asked anew) is refused, and after five seconds everything is, so that nothing
    // can hang the test.
    QElapsedTimer running;
    running.start();
    QTimer watcher;
    QObject::connect(&watcher, &QTimer::timeout, [&] {
        for (QWidget* top : QApplication::topLevelWidgets()) {
            if (!top->isVisible())
                continue;
            if (running.elapsed() > 5000) {
                if (auto* late = qobject_cast<QDialog*>(top))
                    late->reject();
                continue;
            }
            if (auto* box = qobject_cast<QMessageBox*>(top)) {
                messageText = box->text();
                messageOverQuestion = question != nullptr && box->parentWidget() == question;
                openUnderMessage = question != nullptr && question->isVisible();
                box->accept();
            } else if (auto* other = qobject_cast<QDialog*>(top); other != nullptr && other != question) {
                other->reject();
            }
        }
    });
    watcher.start(20);
    QTimer::singleShot(0, [&] {
        question = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(question, nullptr);
        auto* field = question->findChild<QLineEdit*>("passwordField");
        QPushButton* ok = question->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
        ASSERT_NE(field, nullptr);
        QTest::keyClicks(field, "1111");
        ok->click(); // the message comes and goes while the question waits
        QApplication::processEvents();
        if (question == nullptr || !question->isVisible())
            return;
        openAfterMessage = true;
        focusInField = question->focusWidget() == field;
        QTest::keyClicks(field, "4321");
        ok->click();
    });
    EXPECT_TRUE(askPasswordThreeTimes("4321", texts, dialogs));
    EXPECT_EQ(messageText.toStdString(), texts.text(kWrongPasswordText));
    EXPECT_TRUE(openUnderMessage);
    EXPECT_TRUE(messageOverQuestion);
    EXPECT_TRUE(openAfterMessage);
    EXPECT_TRUE(focusInField);
}

TEST(ShellStartup, SettingsAreStoredAfterANormalRunWithTheLastModel)
{
    ShellRig rig;
    rig.settings.writeString(kSettingLastModel, "52:51:4C:4D:30:39:34:30:FF:FF:00:07:FF:FF:FF:FF");
    rig.settings.writeInt(kSettingComPort, 25);
    ASSERT_TRUE(rig.start());
    EXPECT_NE(rig.frame().windowTitle().indexOf("QLM-940: K  UHF: 400-470 MHz"), -1);
    EXPECT_EQ(rig.app->settings().comPort, 1);
    rig.app->saveSettings();
    EXPECT_EQ(rig.settings.readString(kSettingLastModel).value_or("").substr(0, 35),
              "52:51:4C:4D:30:39:34:30:FF:FF:00:07");
}

TEST(ShellStartup, TheFolderOfTheLastDataFileIsRememberedAtExit)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    const std::string before = rig.settings.readString(kSettingLastFilePath).value_or("");
    rig.app->document().folder = "/srv/repeaters/hilltop";
    rig.app->saveSettings();
    EXPECT_EQ(rig.settings.readString(kSettingLastFilePath).value_or(""), "/srv/repeaters/hilltop");
    EXPECT_NE(before, "/srv/repeaters/hilltop");
}

class SecurityDialogTest : public ::testing::Test {
protected:
    SecurityDialogTest() { texts.loadFile(kLanguageFile, "English"); }

    void pressOk(CSecurityDialog& dialog)
    {
        QMetaObject::invokeMethod(&dialog, "accept", Qt::DirectConnection);
    }

    LanguageTable texts;
    ScriptedDialogs dialogs;
};

TEST_F(SecurityDialogTest, RefusesAProtectionWithoutPasswordOrWithADifferentConfirmation)
{
    CSecurityDialog dialog(texts, dialogs, SecuritySettings{}, nullptr);
    dialog.show();
    EXPECT_FALSE(dialog.confirmationField()->isEnabled());

    dialog.dataFileBox()->setChecked(true);
    dialog.accept();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_EQ(dialogs.messages[0].text, texts.text(821));
    EXPECT_TRUE(dialog.isVisible());

    QTest::keyClicks(dialog.passwordField(), "12ab345678");
    EXPECT_EQ(dialog.passwordField()->text().toStdString(), "123456"); // digits only, six at most
    EXPECT_EQ(dialog.passwordField()->echoMode(), QLineEdit::Password);
    ASSERT_TRUE(dialog.confirmationField()->isEnabled());
    QTest::keyClicks(dialog.confirmationField(), "123457");
    dialog.accept();
    ASSERT_EQ(dialogs.messages.size(), 2u);
    EXPECT_EQ(dialogs.messages[1].text, texts.text(822));
    EXPECT_TRUE(dialog.isVisible());

    dialog.confirmationField()->setText("123456");
    dialog.accept();
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.choice().password, "123456");
    EXPECT_TRUE(dialog.choice().dataFile);
    EXPECT_FALSE(dialog.choice().programExecution);

    dialog.passwordField()->clear();
    EXPECT_TRUE(dialog.confirmationField()->text().isEmpty());
}

} // namespace
} // namespace rps::test
