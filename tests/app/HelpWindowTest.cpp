// Help from where the user is: F1 in a field of a form opens the help window at that field,
// the form's Help button does the same for the focused field, F1 on a highlighted menu entry
// opens its command's page, a dialog's Help button its context's page, and "Help Topics
// (Advanced)" the advanced collection. With RPS_HELP_SCREENSHOT=FILE.png the window is saved.
#include "ShellRig.h"

#include "app/CHelpWindow.h"
#include "app/CLanguageDialog.h"
#include "app/ShellCommands.h"
#include "app/ShellHelp.h"
#include "forms/common/CFieldForm.h"
#include "forms/common/CGridView.h"
#include "forms/common/FormCommands.h"
#include "forms/common/HelpRequest.h"
#include "print/CPrintSelectionDialog.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QHelpContentWidget>
#include <QHelpIndexWidget>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <gtest/gtest.h>

using namespace rps;
using rps::test::ShellRig;

namespace {

// A build without qhelpgenerator has no collections to show.
bool helpBuilt()
{
    return QFileInfo::exists(QString(RPS_TEST_HELP_DIR) + "/RPS360T_E_en.qhc");
}

void startWithHelp(ShellRig& rig)
{
    rig.formLookup = nullptr; // the application's own forms
    rig.helpFolder = RPS_TEST_HELP_DIR;
    ASSERT_TRUE(rig.start());
    ASSERT_TRUE(rig.showActive());
}

// The control of a form field by its key, and the line a user types into.
QWidget* typingLineOf(CFormView& form, const QString& fieldKey)
{
    for (QWidget* widget : form.findChildren<QWidget*>()) {
        if (helpFieldOf(widget) == fieldKey) {
            QLineEdit* line = CFieldForm::lineOf(widget);
            return line != nullptr ? static_cast<QWidget*>(line) : widget;
        }
    }
    return nullptr;
}

std::string shownAt(const CHelpWindow* window)
{
    return window == nullptr ? "no help window" : window->currentAddress().toString().toStdString();
}

void saveScreenshot(CHelpWindow& window)
{
    const QByteArray file = qgetenv("RPS_HELP_SCREENSHOT");
    if (file.isEmpty())
        return;
    window.resize(1280, 800);
    QApplication::processEvents();
    window.grab().save(QString::fromLocal8Bit(file));
}

} // namespace

TEST(HelpWindow, F1InADtmfFieldOpensTheHelpWindowAtThatField)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    rig.trigger(kDtmfCommand);
    CFormView* form = rig.frame().openedForm(kDtmfCommand);
    ASSERT_NE(form, nullptr);
    QWidget* field = typingLineOf(*form, "first-digit-delay");
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());

    QTest::keyClick(field, Qt::Key_F1);

    CHelpWindow* window = rig.frame().help().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(shownAt(window), "qthelp://org.zentrel.rps360t/doc/dtmf.html#dtmf.first-digit-delay");
    // The page came out of the collection, with the field's own section.
    EXPECT_TRUE(window->browser()->toPlainText().contains("First Digit Delay"))
        << window->browser()->toPlainText().left(200).toStdString();
    // Contents, index and search are offered beside it.
    ASSERT_EQ(window->navigation()->count(), 3);
    QApplication::processEvents();
    saveScreenshot(*window);
}

TEST(HelpWindow, TheFormsHelpButtonOpensThePageOfTheFocusedField)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    rig.trigger(kDtmfCommand);
    CFormView* form = rig.frame().openedForm(kDtmfCommand);
    ASSERT_NE(form, nullptr);
    QWidget* field = typingLineOf(*form, "speed");
    ASSERT_NE(field, nullptr);
    field->setFocus();
    QTRY_VERIFY(field->hasFocus());
    auto* help = form->findChild<QPushButton*>("helpButton");
    ASSERT_NE(help, nullptr);
    ASSERT_TRUE(help->isEnabled());

    QTest::mouseClick(help, Qt::LeftButton);

    EXPECT_EQ(shownAt(rig.frame().help().window()), "qthelp://org.zentrel.rps360t/doc/dtmf.html#dtmf.speed")
        << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none")
        << " " << field->metaObject()->className() << help->focusPolicy();
}

TEST(HelpWindow, F1OnAHighlightedMenuEntryOpensItsCommandsPage)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    QAction* language = rig.frame().commandAction(cmd::kLanguageFileSetup);
    ASSERT_NE(language, nullptr);
    QMenu* setup = nullptr;
    for (QMenu* menu : rig.frame().findChildren<QMenu*>()) {
        if (menu->actions().contains(language))
            setup = menu;
    }
    ASSERT_NE(setup, nullptr);
    setup->popup(QPoint(10, 10));
    setup->setActiveAction(language);

    QTest::keyClick(setup, Qt::Key_F1);

    EXPECT_EQ(shownAt(rig.frame().help().window()), "qthelp://org.zentrel.rps360t/doc/setup.html#language");
    EXPECT_FALSE(setup->isVisible());
}

TEST(HelpWindow, TheLanguageDialogsHelpButtonOpensItsContext)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    std::string shown;
    test::whenModal<CLanguageDialog>([&](CLanguageDialog& dialog) {
        auto* help = dialog.findChild<QPushButton*>("helpButton");
        if (help != nullptr && help->isEnabled())
            QTest::mouseClick(help, Qt::LeftButton);
        shown = shownAt(rig.frame().help().window());
        dialog.reject();
    });
    rig.trigger(cmd::kLanguageFileSetup);
    EXPECT_EQ(shown, "qthelp://org.zentrel.rps360t/doc/setup.html#language");
}

TEST(HelpWindow, TheHelpMenuOpensTheNormalAndTheAdvancedCollections)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    ASSERT_TRUE(rig.frame().commandAction(cmd::kHelpTopics)->isEnabled());
    ASSERT_TRUE(rig.frame().commandAction(cmd::kHelpTopicsAdvanced)->isEnabled());

    rig.trigger(cmd::kHelpTopics);
    CHelpWindow* window = rig.frame().help().window();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->collectionFile().endsWith("RPS360T_E_en.qhc"));
    EXPECT_TRUE(window->browser()->toPlainText().contains("A typical session"));
    // The index holds the field captions and the functions.
    auto* index = window->findChild<QHelpIndexWidget*>("helpIndex");
    ASSERT_NE(index, nullptr);
    QTRY_VERIFY(index->model() != nullptr && index->model()->rowCount() > 100);

    rig.trigger(cmd::kHelpTopicsAdvanced);
    EXPECT_TRUE(window->collectionFile().endsWith("RPS360T_E_adv_en.qhc"));
    // The advanced settings are in the advanced collection only.
    rig.frame().help().showTopic(*topicForContext(991232));
    EXPECT_TRUE(window->browser()->toPlainText().contains("tuning frequency pairs"));
}

TEST(HelpWindow, F1InTheChannelGridOpensTheSectionOfTheCurrentColumn)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    CFormView* form = rig.frame().openedForm(kChannelInformationCommand);
    ASSERT_NE(form, nullptr);
    auto* grid = form->findChild<CGridView*>();
    ASSERT_NE(grid, nullptr);
    grid->setFocus();
    grid->setCurrentCell(0, 1);
    QTRY_VERIFY(grid->hasFocus());

    QTest::keyClick(grid, Qt::Key_F1);

    EXPECT_EQ(shownAt(rig.frame().help().window()),
              "qthelp://org.zentrel.rps360t/doc/channel.html#channel.tx-frequency");
}

TEST(HelpWindow, F1InAnOpenFunctionListOpensTheFunctionTableAtTheHighlightedFunction)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    rig.trigger(kKeyAssignmentCommand);
    CFormView* form = rig.frame().openedForm(kKeyAssignmentCommand);
    ASSERT_NE(form, nullptr);
    auto* grid = form->findChild<CGridView*>();
    ASSERT_NE(grid, nullptr);
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    QTRY_VERIFY(grid->hasFocus());
    QTest::keyClick(grid, Qt::Key_Return); // opens the list of functions over the cell
    QComboBox* list = nullptr;
    QTRY_VERIFY((list = grid->findChild<QComboBox*>()) != nullptr);
    list->showPopup();
    QTRY_VERIFY(list->view()->isVisible());
    ASSERT_GT(list->count(), 3);
    list->view()->setCurrentIndex(list->model()->index(2, 0));
    const QString highlighted = list->itemText(2);

    QTest::keyClick(list->view(), Qt::Key_F1);

    const std::string shown = shownAt(rig.frame().help().window());
    EXPECT_NE(shown.find("/doc/functions.html#function-"), std::string::npos) << shown;
    EXPECT_TRUE(rig.frame().help().window()->browser()->toPlainText().contains(highlighted));
}

TEST(HelpWindow, ThePrintSelectionsHelpButtonOpensThePrintingPage)
{
    if (!helpBuilt())
        GTEST_SKIP() << "the help collections were not built";
    ShellRig rig;
    startWithHelp(rig);
    std::string shown;
    test::whenModal<QDialog>([&](QDialog& shownDialog) {
        auto* dialog = dynamic_cast<print::CPrintSelectionDialog*>(&shownDialog);
        ASSERT_NE(dialog, nullptr);
        EXPECT_TRUE(dialog->helpButton()->isEnabled());
        QTest::mouseClick(dialog->helpButton(), Qt::LeftButton);
        shown = shownAt(rig.frame().help().window());
        dialog->reject();
    });
    rig.trigger(cmd::kPrint);
    EXPECT_EQ(shown, "qthelp://org.zentrel.rps360t/doc/printing.html#print");
}
