#pragma once
// The password change question of the embedded message: old password, new password and its
// confirmation, each at most six letters or digits shown in clear. The confirmation is open
// only while the new password holds text; Write hands the entry to the check, which keeps
// the dialog open (TryAgain, with the old password it put back) or closes it.
#include "texts/DialogService.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace rps {

class CPasswordChangeDlg : public QDialog {
    Q_OBJECT
public:
    // writeText and closeText are the button captions.
    CPasswordChangeDlg(const PasswordChangeRequest& request, PasswordChangeCheck check,
                       const QString& writeText, const QString& closeText, QWidget* parent = nullptr);

private:
    void write();
    void newPasswordEdited(const QString& text);

    PasswordChangeCheck check_;
    QLineEdit* old_ = nullptr;
    QLineEdit* new_ = nullptr;
    QLineEdit* confirmation_ = nullptr;
};

} // namespace rps
