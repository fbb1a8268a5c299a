#pragma once
// "Data Password": the read authorization and overwrite passwords of the repeater, stored
// through the optional features' fields (which keep the model block's option bits with them).
// The confirmation is asked again only when the overwrite password was edited.
#include "forms/common/FormContext.h"
#include "forms/fields/DeclaredForm.h"

#include <QDialog>

#include <functional>
#include <memory>

class QLineEdit;

namespace rps {

class CDataPasswordDialog : public QDialog {
    Q_OBJECT
public:
    using SessionFactory = std::function<std::unique_ptr<FieldFormSession>()>;

    CDataPasswordDialog(FormContext& context, SessionFactory open, QWidget* parent = nullptr);

    QLineEdit* readPassword() const { return read_; }
    QLineEdit* overwritePassword() const { return overwrite_; }
    QLineEdit* confirmation() const { return confirmation_; }

    void accept() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QLineEdit* makeField(const QString& text);
    void overwriteEdited(const QString& text);

    FormContext& context_;
    SessionFactory open_;
    QLineEdit* read_;
    QLineEdit* overwrite_;
    QLineEdit* confirmation_;
};

} // namespace rps
