#pragma once
// Base of every editing form shown in an MDI child of the main frame.
#include "forms/common/FormContext.h"
#include "forms/fields/FieldRules.h"

#include <QWidget>

#include <QKeySequence>
#include <QList>

class QHBoxLayout;

namespace rps {

class CChildFrame;

class CFormView : public QWidget {
    Q_OBJECT
public:
    CFormView(FormContext& context, int command, QWidget* parent = nullptr)
        : QWidget(parent), context_(context), command_(command)
    {
    }

    int command() const { return command_; }
    // Re-reads every field from the working image (the refresh message).
    virtual void refreshFromImage() = 0;
    // The main frame moved the channel selection; channel forms follow it.
    virtual void channelSelectionChanged(int /*channel*/) {}
    // Title of the child window (changes with the current row in some forms).
    virtual QString formTitle() const = 0;
    // A form with a child frame of its own makes it here, holding the form and leaving
    // frameKeys to the main window; nothing = the common frame.
    virtual CChildFrame* createFrame(const QList<QKeySequence>& /*frameKeys*/) { return nullptr; }

signals:
    void titleChanged(const QString& title);

protected:
    // Esc closes the form. An open editor or list takes its Esc first; every control that
    // has no use for the key leaves it to the form.
    void keyPressEvent(QKeyEvent* event) override;
    FormContext& context() const { return context_; }
    // The row of "Close" and "Help" at the right, after `leading` widgets at the left. Close
    // closes the form; Help opens the page of the focused control (the form's page).
    QHBoxLayout* closeAndHelpRow(const QList<QWidget*>& leading = {});
    QString text(int index) const { return QString::fromStdString(context_.texts.text(index)); }
    // The reaction to a stored edit: its message, every open form re-read when bytes changed
    // (other forms may show them), this one in any case.
    void showStoredChange(const fields::EditResult& result);

private:
    FormContext& context_;
    int command_;
};

// Where a form's command is offered: an Edit menu entry (and a tree item), optionally
// followed by a separator, or only from other forms.
enum class FormPlace { EditMenu, EditMenuThenSeparator, FromOtherForms };

// One row of the form registry: the command, its Edit menu text, its title text, where it is
// offered and how to make the form. A form not built yet has no factory: its entry is disabled.
struct FormDescriptor {
    int command;
    int menuText;
    int titleText;
    FormPlace place;
    CFormView* (*create)(FormContext& context, QWidget* parent);
};

} // namespace rps
