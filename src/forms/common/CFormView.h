#pragma once
// Base of every editing form shown in an MDI child of the main frame.
#include "forms/common/FormContext.h"

#include <QWidget>

class QMdiSubWindow;

namespace rps {

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
    // A form with a child frame of its own makes it here; nothing = the common frame.
    virtual QMdiSubWindow* createFrame() const { return nullptr; }

signals:
    void titleChanged(const QString& title);

protected:
    FormContext& context() const { return context_; }
    QString text(int index) const { return QString::fromStdString(context_.texts.text(index)); }

private:
    FormContext& context_;
    int command_;
};

// One row of the form registry: the Edit menu command, its menu and title texts, and how
// to make the form. Forms not built yet are simply absent; their menu entries stay disabled.
struct FormDescriptor {
    int command;
    int menuText;
    int titleText;
    CFormView* (*create)(FormContext& context, QWidget* parent);
};

} // namespace rps
