#include "app/ShellHelp.h"

#include "app/CHelpWindow.h"
#include "app/LanguageFileSearch.h"
#include "forms/common/CFormView.h"
#include "forms/common/DialogButtons.h"
#include "forms/common/HelpRequest.h"
#include "forms/feature/FunctionTable.h"
#include "texts/LanguageTable.h"

#include <QAbstractItemView>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenu>
#include <QMessageBox>

#include <map>

namespace rps {

namespace {

const HelpTopic kTopOfHelp{"index.html", "", false};

// An open list of functions (every entry a function's name) shows the highlighted function.
std::optional<HelpTopic> highlightedFunction(const QComboBox* combo, const LanguageTable& texts)
{
    if (combo->view() == nullptr || !combo->view()->isVisible() || combo->count() < 2)
        return std::nullopt;
    std::map<QString, int> contexts;
    for (const feature::FunctionEntry& entry : feature::functionTable())
        contexts.emplace(QString::fromStdString(texts.text(entry.nameText)).trimmed(), entry.helpContext);
    for (int item = 0; item < combo->count(); ++item) {
        if (!contexts.contains(combo->itemText(item).trimmed()))
            return std::nullopt;
    }
    const int highlighted = combo->view()->currentIndex().row();
    if (highlighted < 0 || highlighted >= combo->count())
        return std::nullopt;
    return topicForContext(contexts.at(combo->itemText(highlighted).trimmed()));
}

} // namespace

ShellHelp::ShellHelp(const LanguageTable& texts, std::string programFolder, QWidget* owner)
    : QObject(owner), texts_(texts), programFolder_(std::move(programFolder)), owner_(owner)
{
    setHelpHandler([this](QWidget* origin) { showFor(origin); });
    qApp->installEventFilter(this);
}

ShellHelp::~ShellHelp()
{
    setHelpHandler({});
    delete window_;
}

void ShellHelp::showContents(bool advanced)
{
    HelpTopic topic = kTopOfHelp;
    topic.advanced = advanced;
    showTopic(topic);
}

void ShellHelp::showTopic(const HelpTopic& topic)
{
    const std::string collection =
        findHelpCollection(programFolder_, texts_.currentLanguageName(), topic.advanced);
    if (window_ == nullptr)
        window_ = new CHelpWindow(texts_);
    // A modal dialog blocks every window but its own: the help window then belongs to it.
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != window_->parentWidget() && modal != window_.data()) {
        window_->setParent(modal, Qt::Window);
    }
    if (collection.empty() || !window_->openCollection(QString::fromStdString(collection))) {
        QMessageBox::warning(owner_, languageText(texts_, kHelpWindowTitleText),
                             languageText(texts_, kHelpMissingText));
        return;
    }
    window_->showAddress(QUrl(QString::fromStdString(helpAddress(topic))));
    window_->show();
    window_->raise();
    window_->activateWindow();
}

HelpTopic ShellHelp::topicFor(const QWidget* origin) const
{
    std::string fieldKey;
    for (const QWidget* widget = origin; widget != nullptr; widget = widget->parentWidget()) {
        if (const auto* combo = qobject_cast<const QComboBox*>(widget)) {
            if (auto topic = highlightedFunction(combo, texts_))
                return *topic;
        }
        if (const int context = helpContextOf(widget); context != 0) {
            if (auto topic = topicForContext(context))
                return *topic;
        }
        if (const int command = helpCommandOf(widget); command != 0) {
            if (auto topic = topicForForm(command))
                return *topic;
        }
        if (fieldKey.empty()) {
            if (const auto* grid = qobject_cast<const QAbstractItemView*>(widget)) {
                const QModelIndex current = grid->currentIndex();
                if (current.isValid())
                    fieldKey = helpCellOf(grid, current.row(), current.column()).toStdString();
            }
        }
        if (fieldKey.empty())
            fieldKey = helpFieldOf(widget).toStdString();
        if (const auto* form = qobject_cast<const CFormView*>(widget)) {
            if (auto topic = topicForField(form->command(), fieldKey))
                return *topic;
        }
    }
    return kTopOfHelp;
}

void ShellHelp::showFor(QWidget* origin)
{
    showTopic(topicFor(origin));
}

CHelpWindow* ShellHelp::window() const
{
    return window_.data();
}

void ShellHelp::closeWindow()
{
    if (window_ != nullptr)
        window_->close();
}

bool ShellHelp::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress || static_cast<QKeyEvent*>(event)->key() != Qt::Key_F1 ||
        static_cast<QKeyEvent*>(event)->modifiers() != Qt::NoModifier)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (widget == nullptr || (window_ != nullptr && widget->window() == window_))
        return false;
    // A menu shows the help of its highlighted entry, as its command has it.
    if (auto* menu = qobject_cast<QMenu*>(widget)) {
        const QAction* action = menu->activeAction();
        if (action == nullptr)
            return false;
        const auto topic = topicForContext(helpContextForCommand(action->data().toInt()));
        if (topic) {
            menu->close();
            showTopic(*topic);
        }
        return true;
    }
    showFor(QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : widget);
    return true;
}

} // namespace rps
