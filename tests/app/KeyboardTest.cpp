// The main window from the keyboard alone: every accelerator reaches its command whatever form
// has the focus, and every menu answers each mnemonic letter with one entry only.
#include "ShellRig.h"

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
