#pragma once
// Base of the forms built from a field declaration: the declared controls over a button
// row with Close and Help, and the keys every such form answers the same way: Enter walks
// the form like Tab (and presses a focused button), Page Up / Page Down step the record,
// Esc closes the form, each unless a drop-down list is open.
#include "forms/common/CFieldForm.h"
#include "forms/common/CFormView.h"

#include <QList>

#include <string_view>
#include <vector>

class QPushButton;

namespace rps {

class CFieldFormView : public CFormView {
    Q_OBJECT
public:
    CFieldFormView(FormContext& context, int command, QWidget* parent = nullptr);

    CFieldForm* fieldForm() const { return form_; }
    QWidget* control(int item) const { return form_ ? form_->control(item) : nullptr; }

    // Re-reads the form's fields; a view with more on it adds its own.
    void refreshFromImage() override;
    // The title of the declared form the view shows; a title that follows the record overrides it.
    QString formTitle() const override;

protected:
    // The form declared under `key` over these rows of its table (a view may show part of it),
    // its pages named by pageTexts; the view takes the declared form's title. The form opens its
    // records by `key` whenever it re-reads, so the key lives as long as the program.
    CFieldForm* makeDeclaredForm(fields::FieldTable fields, std::string_view key,
                                 std::vector<int> pageTexts = {});
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
    int titleText_ = 0;
};

} // namespace rps
