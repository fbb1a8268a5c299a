#include "app/CSecurityDialog.h"

#include "app/SecurityRules.h"
#include "app/ShellDialogParts.h"
#include "forms/common/HelpRequest.h"
#include "texts/DialogService.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kCaptionText = 629;
constexpr int kProgramExecutionText = 630;
constexpr int kDataFileText = 148;
constexpr int kPasswordText = 563;
constexpr int kConfirmationText = 633;
constexpr int kMaxPasswordLength = 6;

// Enter in a password field moves to the next field (the dialogs' OK is pressed with the mouse
// or by Enter on the button itself).
class DigitPasswordField : public QLineEdit {
public:
    explicit DigitPasswordField(QWidget* parent) : QLineEdit(parent)
    {
        setEchoMode(QLineEdit::Password);
        setMaxLength(kMaxPasswordLength);
        setValidator(new QRegularExpressionValidator(QRegularExpression("[0-9]*"), this));
    }

protected:
    void keyPressEvent(QKeyEvent* event) override
    {
        if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
            focusNextChild();
            event->accept();
            return;
        }
        QLineEdit::keyPressEvent(event);
    }
};

} // namespace

QLineEdit* makeDigitPasswordField(QWidget* parent)
{
    return new DigitPasswordField(parent);
}

CSecurityDialog::CSecurityDialog(const LanguageTable& texts, DialogService& dialogs,
                                 const SecuritySettings& current, QWidget* parent)
    : QDialog(parent), texts_(texts), dialogs_(dialogs), choice_(current)
{
    setHelpContext(this, 90880);
    setObjectName("securityDialog");
    setWindowTitle(languageText(texts, kCaptionText));
    auto* layout = new QVBoxLayout(this);

    auto* options = new QGroupBox(this);
    auto* optionsLayout = new QVBoxLayout(options);
    programExecution_ = new QCheckBox(languageText(texts, kProgramExecutionText), options);
    programExecution_->setObjectName("programExecutionBox");
    dataFile_ = new QCheckBox(languageText(texts, kDataFileText), options);
    dataFile_->setObjectName("dataFileBox");
    optionsLayout->addWidget(programExecution_);
    optionsLayout->addWidget(dataFile_);
    layout->addWidget(options);

    auto* fields = new QGroupBox(this);
    auto* form = new QFormLayout(fields);
    password_ = makeDigitPasswordField(fields);
    password_->setObjectName("passwordField");
    confirmation_ = makeDigitPasswordField(fields);
    confirmation_->setObjectName("confirmationField");
    form->addRow(languageText(texts, kPasswordText), password_);
    form->addRow(languageText(texts, kConfirmationText), confirmation_);
    layout->addWidget(fields);

    QDialogButtonBox* buttons = makeButtonRow(texts, this, true, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CSecurityDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);

    programExecution_->setChecked(current.programExecution);
    dataFile_->setChecked(current.dataFile);
    password_->setText(QString::fromStdString(current.password));
    connect(password_, &QLineEdit::textChanged, this, &CSecurityDialog::passwordEdited);
    passwordEdited(password_->text());
    setMinimumWidth(340);
}

void CSecurityDialog::passwordEdited(const QString& text)
{
    if (text.isEmpty())
        confirmation_->clear();
    confirmation_->setEnabled(!text.isEmpty());
}

void CSecurityDialog::accept()
{
    SecurityEntry entry;
    entry.password = password_->text().toStdString();
    entry.confirmation = confirmation_->text().toStdString();
    entry.programExecution = programExecution_->isChecked();
    entry.dataFile = dataFile_->isChecked();
    const SecurityVerdict verdict = checkSecurityEntry(entry);
    if (verdict.refusalText != 0) {
        MessageRequest request;
        request.text = texts_.text(verdict.refusalText);
        request.caption = texts_.text(768);
        request.icon = MessageIcon::Error;
        dialogs_.showMessage(request);
        QLineEdit* focus = verdict.focusConfirmation ? confirmation_ : password_;
        focus->setFocus(Qt::OtherFocusReason);
        focus->selectAll();
        return;
    }
    choice_.password = entry.password;
    choice_.programExecution = entry.programExecution;
    choice_.dataFile = entry.dataFile;
    QDialog::accept();
}

} // namespace rps
