#include "app/CPasswordChangeDlg.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace rps {

namespace {

QLineEdit* passwordField(QWidget* parent, int maxLength, const char* name)
{
    auto* field = new QLineEdit(parent);
    field->setObjectName(name);
    field->setMaxLength(maxLength);
    field->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-Za-z0-9]*"), field));
    return field;
}

} // namespace

CPasswordChangeDlg::CPasswordChangeDlg(const PasswordChangeRequest& request, PasswordChangeCheck check,
                                       const QString& writeText, const QString& closeText, QWidget* parent)
    : QDialog(parent), check_(std::move(check))
{
    setObjectName("passwordChangeDialog");
    setWindowTitle(QString::fromStdString(request.caption));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    old_ = passwordField(this, request.maxLength, "oldPassword");
    new_ = passwordField(this, request.maxLength, "newPassword");
    confirmation_ = passwordField(this, request.maxLength, "confirmation");
    old_->setText(QString::fromStdString(request.oldPassword));
    fields->addRow(QString::fromStdString(request.oldLabel), old_);
    fields->addRow(QString::fromStdString(request.newLabel), new_);
    fields->addRow(QString::fromStdString(request.confirmationLabel), confirmation_);
    // A repeater without a password is not asked for the old one.
    old_->setEnabled(request.oldEnabled);
    if (QWidget* label = fields->labelForField(old_))
        label->setEnabled(request.oldEnabled);
    confirmation_->setEnabled(false);
    layout->addLayout(fields);

    auto* buttons = new QDialogButtonBox(this);
    QPushButton* write = buttons->addButton(writeText, QDialogButtonBox::AcceptRole);
    write->setObjectName("write");
    buttons->addButton(closeText, QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordChangeDlg::write);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(new_, &QLineEdit::textChanged, this, &CPasswordChangeDlg::newPasswordEdited);
    setMinimumWidth(320);
}

void CPasswordChangeDlg::newPasswordEdited(const QString& text)
{
    if (text.isEmpty())
        confirmation_->clear();
    confirmation_->setEnabled(!text.isEmpty());
}

void CPasswordChangeDlg::write()
{
    PasswordChangeEntry entry{old_->text().toStdString(), new_->text().toStdString(),
                              confirmation_->text().toStdString()};
    switch (check_(entry)) {
    case PasswordVerdict::Accept:
        accept();
        break;
    case PasswordVerdict::Refuse:
        reject();
        break;
    case PasswordVerdict::TryAgain:
        old_->setText(QString::fromStdString(entry.oldPassword));
        break;
    }
}

} // namespace rps
