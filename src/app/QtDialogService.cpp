#include "app/QtDialogService.h"

#include "app/CPasswordChangeDlg.h"
#include "app/CSecurityDialog.h"
#include "model/DataFile.h"
#include "texts/LanguageTable.h"

#include <QApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <algorithm>
#include <tuple>

namespace rps {

namespace {

QString fromStd(const std::string& text)
{
    return QString::fromStdString(text);
}

QMessageBox::Icon iconOf(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::Warning:
        return QMessageBox::Warning;
    case MessageIcon::Error:
        return QMessageBox::Critical;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

// The panel beside the Open dialog's file list: the two embedded-message lines of the
// selected data file and, with "File Information", its model, band and version.
class PreviewPanel : public QGroupBox {
public:
    PreviewPanel(const QString& caption, bool fileInformation, QWidget* parent) : QGroupBox(caption, parent)
    {
        setObjectName("previewPanel");
        auto* layout = new QVBoxLayout(this);
        for (QLabel** line : {&line1_, &line2_}) {
            *line = new QLabel(this);
            QFont fixed("Monospace");
            fixed.setStyleHint(QFont::TypeWriter);
            (*line)->setFont(fixed);
            (*line)->setTextFormat(Qt::PlainText);
            (*line)->setMinimumWidth(QFontMetrics(fixed).horizontalAdvance(QString(32, 'M')) + 8);
            (*line)->setFrameShape(QFrame::StyledPanel);
            (*line)->setFrameShadow(QFrame::Sunken);
            layout->addWidget(*line);
        }
        if (fileInformation) {
            auto* form = new QFormLayout;
            for (auto [label, field, name] :
                 {std::tuple{"Model", &model_, "previewModel"}, std::tuple{"Band", &band_, "previewBand"},
                  std::tuple{"Version", &version_, "previewVersion"}}) {
                *field = new QLabel(this);
                (*field)->setObjectName(name);
                (*field)->setTextFormat(Qt::PlainText);
                form->addRow(QString(label) + ":", *field);
            }
            layout->addLayout(form);
        }
        layout->addStretch(1);
    }

    void showFile(const QString& path)
    {
        const FilePreview preview = path.isEmpty() ? FilePreview{} : readPreview(path.toStdString());
        line1_->setText(preview.available ? fromStd(preview.messageLine1) : QString());
        line2_->setText(preview.available ? fromStd(preview.messageLine2) : QString());
        if (model_ != nullptr) {
            model_->setText(preview.available ? fromStd(preview.modelName) : QString());
            band_->setText(preview.available ? fromStd(preview.bandLabel) : QString());
            version_->setText(preview.available ? fromStd(preview.version) : QString());
        }
    }

private:
    QLabel* model_ = nullptr;
    QLabel* band_ = nullptr;
    QLabel* version_ = nullptr;
    QLabel* line1_ = nullptr;
    QLabel* line2_ = nullptr;
};

QString filterOf(const FileRequest& request)
{
    return fromStd(request.filterText);
}

} // namespace

QString QtDialogService::text(int index) const
{
    return texts_ == nullptr ? QString() : fromStd(texts_->text(index));
}

namespace {
void setCaption(QAbstractButton* button, const QString& caption)
{
    if (button != nullptr && !caption.isEmpty())
        button->setText(caption);
}
} // namespace

QWidget* QtDialogService::owner() const
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

MessageAnswer QtDialogService::showMessage(const MessageRequest& request)
{
    QMessageBox box(iconOf(request.icon), fromStd(request.caption), fromStd(request.text),
                    QMessageBox::NoButton, owner());
    QPushButton* cancel = nullptr;
    switch (request.buttons) {
    case MessageButtons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case MessageButtons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        cancel = qobject_cast<QPushButton*>(box.button(QMessageBox::Cancel));
        break;
    case MessageButtons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    case MessageButtons::YesNoCancel:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        cancel = qobject_cast<QPushButton*>(box.button(QMessageBox::Cancel));
        break;
    case MessageButtons::RetryCancel:
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        cancel = qobject_cast<QPushButton*>(box.button(QMessageBox::Cancel));
        break;
    }
    // Button captions are language texts where the language file has them.
    setCaption(box.button(QMessageBox::Ok), text(26));
    setCaption(cancel, text(27));
    if (request.cancelIsDefault && cancel != nullptr)
        box.setDefaultButton(cancel);
    switch (box.exec()) {
    case QMessageBox::Ok:
        return MessageAnswer::Ok;
    case QMessageBox::Yes:
        return MessageAnswer::Yes;
    case QMessageBox::No:
        return MessageAnswer::No;
    case QMessageBox::Retry:
        return MessageAnswer::Retry;
    default:
        return MessageAnswer::Cancel;
    }
}

std::optional<std::string> QtDialogService::chooseOpenFile(const FileRequest& request)
{
    QFileDialog dialog(owner(), fromStd(request.caption), fromStd(request.startFolder), filterOf(request));
    dialog.setObjectName("openFileDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog); // the preview panel needs our own dialog
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(fromStd(request.defaultExtension));
    auto* panel = new PreviewPanel(text(558), request.fileInformation, &dialog);
    if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout()))
        grid->addWidget(panel, 0, grid->columnCount(), grid->rowCount(), 1);
    QObject::connect(&dialog, &QFileDialog::currentChanged, panel, &PreviewPanel::showFile);
    // A name typed (or proposed) in the name field is previewed as well.
    if (auto* nameField = dialog.findChild<QLineEdit*>("fileNameEdit")) {
        QObject::connect(nameField, &QLineEdit::textChanged, panel, [panel, &dialog](const QString& name) {
            const QString path = dialog.directory().filePath(name);
            if (QFileInfo(path).isFile())
                panel->showFile(path);
        });
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogService::chooseSaveFile(const FileRequest& request)
{
    QFileDialog dialog(owner(), fromStd(request.caption), fromStd(request.startFolder), filterOf(request));
    dialog.setObjectName("saveFileDialog");
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    if (!request.proposedName.empty())
        dialog.selectFile(fromStd(request.proposedName));
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front().toStdString();
}

std::optional<std::string> QtDialogService::askPassword(const std::string& caption, const std::string& prompt,
                                                        int maxLength)
{
    return runPasswordDialog(caption, prompt, [maxLength](QWidget* parent) {
        auto* field = new QLineEdit(parent);
        field->setMaxLength(maxLength);
        field->setEchoMode(QLineEdit::Password);
        // Letters and digits only, as the repeater stores them.
        field->setValidator(new QRegularExpressionValidator(QRegularExpression("[A-Za-z0-9]*"), field));
        return field;
    });
}

namespace {
// The security password field: digits only, at most maxLength of them.
std::function<QLineEdit*(QWidget*)> digitField(int maxLength)
{
    return [maxLength](QWidget* parent) {
        QLineEdit* field = makeDigitPasswordField(parent);
        field->setMaxLength(std::min(field->maxLength(), maxLength));
        return field;
    };
}
} // namespace

std::optional<std::string> QtDialogService::askDigitPassword(const std::string& caption,
                                                             const std::string& prompt, int maxLength)
{
    return runPasswordDialog(caption, prompt, digitField(maxLength));
}

bool QtDialogService::askDigitPasswordUntil(const std::string& caption, const std::string& prompt,
                                            int maxLength, const PasswordCheck& check)
{
    return runPasswordDialog(caption, prompt, digitField(maxLength), check).has_value();
}

std::optional<std::string>
QtDialogService::runPasswordDialog(const std::string& caption, const std::string& prompt,
                                   const std::function<QLineEdit*(QWidget*)>& makeField,
                                   const PasswordCheck& check)
{
    QDialog dialog(owner());
    dialog.setObjectName("passwordDialog");
    dialog.setWindowTitle(fromStd(caption));
    auto* layout = new QVBoxLayout(&dialog);
    auto* label = new QLabel(fromStd(prompt), &dialog);
    QLineEdit* field = makeField(&dialog);
    field->setObjectName("passwordField");
    label->setBuddy(field);
    layout->addWidget(label);
    layout->addWidget(field);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    setCaption(buttons->button(QDialogButtonBox::Ok), text(26));
    setCaption(buttons->button(QDialogButtonBox::Cancel), text(27));
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, [&dialog, field, &check] {
        if (!check) {
            dialog.accept();
            return;
        }
        switch (check(field->text().toStdString())) {
        case PasswordVerdict::Accept:
            dialog.accept();
            break;
        case PasswordVerdict::Refuse:
            dialog.reject();
            break;
        case PasswordVerdict::TryAgain:
            // The question stays with an empty field, ready for the next entry.
            field->clear();
            field->setFocus(Qt::OtherFocusReason);
            break;
        }
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog.setMinimumWidth(320);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return field->text().toStdString();
}

void QtDialogService::askPasswordChange(const PasswordChangeRequest& request,
                                        const PasswordChangeCheck& check)
{
    CPasswordChangeDlg dialog(request, check, text(31), text(27), owner());
    dialog.exec();
}

} // namespace rps
