// The main window from the keyboard alone: every accelerator reaches its command whatever form
// has the focus, and every menu answers each mnemonic letter with one entry only.
#include "ShellRig.h"

#include "app/ImageUndoStack.h"

#include "forms/common/CChildFrame.h"

#include "forms/channel/ChannelFormSupport.h"

#include <QAbstractItemView>
#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTest>

#include <map>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

// Qt's warnings while a test runs, kept to look for shortcut clashes.
class WarningLog {
public:
    WarningLog() : previous_(qInstallMessageHandler(&WarningLog::record)) { lines().clear(); }
    ~WarningLog() { qInstallMessageHandler(previous_); }
    WarningLog(const WarningLog&) = delete;
    WarningLog& operator=(const WarningLog&) = delete;

    static QStringList& lines()
    {
        static QStringList recorded;
        return recorded;
    }

private:
    static void record(QtMsgType, const QMessageLogContext&, const QString& message)
    {
        lines().push_back(message);
    }
    QtMessageHandler previous_;
};

// Rejects every modal dialog a command opens (read, write, memory map, model information),
// so that a key that starts one comes back; questions go to the scripted dialog service.
class ModalCloser {
public:
    ModalCloser()
    {
        QObject::connect(&timer_, &QTimer::timeout, [] {
            if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget()))
                dialog->reject();
        });
        timer_.start(10);
    }

private:
    QTimer timer_;
};

// The widget of a form that a user would type into: its first enabled line edit or item view.
QWidget* typingTarget(QWidget* form)
{
    for (QWidget* child : form->findChildren<QWidget*>()) {
        const bool typed =
            qobject_cast<QLineEdit*>(child) != nullptr || qobject_cast<QAbstractItemView*>(child) != nullptr;
        if (typed && child->isEnabled() && child->isVisible() && child->focusPolicy() != Qt::NoFocus)
            return child;
    }
    return nullptr;
}

// Four recorded changes, two of them undone: Undo and Redo can each run twice.
void offerUndoAndRedo(CMainFrame& frame, ConfigImage& image)
{
    for (std::size_t offset = 0xF0; offset < 0xF4; ++offset) {
        image.local()[offset] ^= 0x01;
        frame.undoStack().recordChange();
    }
    frame.undoStack().undo();
    frame.undoStack().undo();
}

TEST(MenuAccelerators, EachRunsItsCommandWithAFormFocusedAndNoneIsAmbiguous)
{
    ShellRig rig;
    rig.formLookup = nullptr; // the application's own forms
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    ASSERT_TRUE(rig.showActive());
    const int formCommands[] = {kChannelInformationCommand, kChannelEditCommand,     kOptionalFeaturesCommand,
                                kKeyAssignmentCommand,      kScanInformationCommand, kFunctionPortCommand,
                                kAdvancedSettingsCommand};
    for (int formCommand : formCommands) {
        frame.openForm(formCommand);
        ASSERT_NE(frame.openedForm(formCommand), nullptr) << formCommand;
    }

    WarningLog warnings;
    ModalCloser closer;
    for (int formCommand : formCommands) {
        offerUndoAndRedo(frame, rig.image());
        int pressed = 0;
        for (QAction* action : frame.actions()) {
            if (!action->isEnabled())
                continue; // Print and Test Mode are not part of this build
            for (const QKeySequence& keys : action->shortcuts()) {
                CFormView* form = frame.openedForm(formCommand);
                ASSERT_NE(form, nullptr) << keys.toString().toStdString();
                // A dialog the last key opened and the closer shut leaves no window active.
                frame.activateWindow();
                ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
                frame.mdiArea()->setActiveSubWindow(CChildFrame::of(form));
                QWidget* target = typingTarget(form);
                ASSERT_NE(target, nullptr) << formCommand;
                target->setFocus(Qt::OtherFocusReason);
                QWidget* focused = QApplication::focusWidget(); // a field may pass the focus on to its box
                ASSERT_TRUE(focused != nullptr && form->isAncestorOf(focused))
                    << formCommand << " " << keys.toString().toStdString() << " focus on "
                    << (focused ? focused->metaObject()->className() : "nothing") << " target "
                    << target->metaObject()->className();

                QSignalSpy triggered(action, &QAction::triggered);
                QTest::keyClick(focused, keys[0].key(), keys[0].keyboardModifiers());
                QApplication::processEvents();
                EXPECT_EQ(triggered.count(), 1)
                    << "form " << formCommand << ": " << keys.toString().toStdString() << " did not run "
                    << action->objectName().toStdString();
                ++pressed;
            }
        }
        EXPECT_GE(pressed, 14) << formCommand; // N O S R W M E Z Y Shift+Z, Ctrl+0 twice, Alt+0 twice
    }
    for (const QString& line : WarningLog::lines())
        EXPECT_FALSE(line.contains("Ambiguous shortcut overload")) << line.toStdString();
}

// The letter after a single '&' of a menu text, in lower case; null when there is none.
QChar mnemonicOf(const QString& text)
{
    for (qsizetype i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&')
            continue;
        if (text[i + 1] == '&') {
            ++i;
            continue;
        }
        return text[i + 1].toLower();
    }
    return {};
}

void expectOneEntryPerLetter(const QString& menu, const QList<QAction*>& entries)
{
    std::map<char16_t, QString> seen;
    for (QAction* entry : entries) {
        const QChar letter = mnemonicOf(entry->text());
        if (entry->isSeparator() || letter.isNull())
            continue;
        const auto [first, added] = seen.emplace(letter.unicode(), entry->text());
        EXPECT_TRUE(added) << menu.toStdString() << ": '" << QString(letter).toStdString() << "' answers "
                           << first->second.toStdString() << " and " << entry->text().toStdString();
    }
}

TEST(MenuMnemonics, NoLetterAnswersTwoEntriesOfOneMenuInTheEnglishTexts)
{
    for (const std::vector<std::string>& arguments : {std::vector<std::string>{}, {"SupportUtility"}}) {
        ShellRig rig;
        rig.formLookup = nullptr;
        ASSERT_TRUE(rig.start(arguments));
        ASSERT_EQ(rig.app->texts().currentLanguageName(), "English");
        QMenuBar* bar = rig.frame().menuBar();
        expectOneEntryPerLetter("menu bar", bar->actions());
        int menus = 0;
        for (QAction* top : bar->actions()) {
            QMenu* menu = top->menu();
            ASSERT_NE(menu, nullptr);
            emit menu->aboutToShow(); // the Window menu lists the child windows
            expectOneEntryPerLetter(top->text(), menu->actions());
            ++menus;
        }
        EXPECT_EQ(menus, 9);
    }
}

} // namespace
} // namespace rps::test
