#pragma once
// The Security dialog: the two protection options and the numeric password with its
// confirmation, both masked and limited to six digits.
#include "app/SecurityRules.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

namespace rps {

class DialogService;
class LanguageTable;

class CSecurityDialog : public QDialog {
    Q_OBJECT
public:
    CSecurityDialog(const LanguageTable& texts, DialogService& dialogs, const SecuritySettings& current,
                    QWidget* parent = nullptr);

    // Valid after the dialog was accepted.
    const SecuritySettings& choice() const { return choice_; }

    QCheckBox* programExecutionBox() const { return programExecution_; }
    QCheckBox* dataFileBox() const { return dataFile_; }
    QLineEdit* passwordField() const { return password_; }
    QLineEdit* confirmationField() const { return confirmation_; }

    void accept() override;

private:
    void passwordEdited(const QString& text);

    const LanguageTable& texts_;
    DialogService& dialogs_;
    QCheckBox* programExecution_ = nullptr;
    QCheckBox* dataFile_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* confirmation_ = nullptr;
    SecuritySettings choice_;
};

// A line edit for a password of at most six digits, shown masked; Enter moves on to the
// next field instead of pressing the default button.
QLineEdit* makeDigitPasswordField(QWidget* parent);

} // namespace rps
