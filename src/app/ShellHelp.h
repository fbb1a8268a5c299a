#pragma once
// Help for the whole program: "Help Topics" and "Help Topics (Advanced)", F1 on the focused
// control or the highlighted menu entry, and the Help buttons of forms and dialogs. A request
// names a control; the control, or the first of its parents that says so, gives the topic: a
// help context (dialogs, menu commands), a field of a form (its key), or the form itself.
#include "app/HelpTopics.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <string>

class QWidget;

namespace rps {

class CHelpWindow;
class LanguageTable;

class ShellHelp : public QObject {
    Q_OBJECT
public:
    // programFolder: where the collections are looked for, as the language file is.
    ShellHelp(const LanguageTable& texts, std::string programFolder, QWidget* owner);
    ~ShellHelp() override;

    void showContents(bool advanced);
    void showTopic(const HelpTopic& topic);
    // The topic of a control; the top of the help when nothing names one.
    HelpTopic topicFor(const QWidget* origin) const;
    void showFor(QWidget* origin);
    // Closes the window (a language change opens the other language's help next time).
    void closeWindow();
    CHelpWindow* window() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    const LanguageTable& texts_;
    std::string programFolder_;
    QWidget* owner_;
    QPointer<CHelpWindow> window_;
};

} // namespace rps
