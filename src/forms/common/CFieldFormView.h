#pragma once
// Base of the forms built from a field declaration: the declared controls over a button
// row with Close and Help, and the keys every such form answers the same way: Enter walks
// the form like Tab (and presses a focused button), Page Up / Page Down step the record,
// Esc closes the form, each unless a drop-down list is open.
#include "forms/common/CFieldForm.h"
#include "forms/common/CFormView.h"

#include <QList>

class QPushButton;

namespace rps {

class CFieldFormView : public CFormView {
    Q_OBJECT
public:
    CFieldFormView(FormContext& context, int command, QWidget* parent = nullptr);

    CFieldForm* fieldForm() const { return form_; }
    QWidget* control(int item) const { return form_ ? form_->control(item) : nullptr; }

protected:
    // Places the form above the button row; extra buttons sit left of Close and Help. A form
    // shown among other widgets comes with the body that holds them all.
    void setFieldForm(CFieldForm* form, const QList<QPushButton*>& extraButtons = {},
                      QWidget* body = nullptr);
    // The reaction of a declared form to one stored edit: its message, a refresh of every open
    // form when bytes changed (other forms may show them), and the focus back on a refused item.
    void showStored(int item, const fields::EditResult& result);
    // Page Up (+1) and Page Down (-1); forms of one record ignore them.
    virtual void stepRecord(int /*direction*/) {}
    void closeForm();

    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    CFieldForm* form_ = nullptr;
};

} // namespace rps
