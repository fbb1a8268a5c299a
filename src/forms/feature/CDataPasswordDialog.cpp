#include "forms/feature/CDataPasswordDialog.h"

#include "forms/common/CCharFilterValidator.h"
#include "forms/common/DialogButtons.h"
#include "forms/common/FormSupport.h"
#include "forms/common/HelpRequest.h"
#include "forms/feature/FeatureFields.h"
#include "model/FeatureMap.h"
#include "texts/CommonTexts.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kTitleText = 989;
constexpr int kConfirmationText = 540;

} // namespace

CDataPasswordDialog::CDataPasswordDialog(FormContext& context, SessionFactory open, QWidget* parent)
    : QDialog(parent), context_(context), open_(std::move(open))
{
    setHelpContext(this, 78336);
    setWindowTitle(languageText(context.texts, kTitleText));
    const auto session = open_();
    fields::FieldEngine& engine = session->engine();
    const fields::FieldRow& readRow = feature::featureField(feature::kItemReadPassword);
    const fields::FieldRow& overwriteRow = feature::featureField(feature::kItemOverwritePassword);

    read_ = makeField(QString::fromStdString(engine.shown(readRow, 0)).trimmed());
    overwrite_ = makeField(QString::fromStdString(engine.shown(overwriteRow, 0)).trimmed());
    confirmation_ = makeField(overwrite_->text());
    confirmation_->setEnabled(false);
    read_->setObjectName(QStringLiteral("readPassword"));
    overwrite_->setObjectName(QStringLiteral("overwritePassword"));
    confirmation_->setObjectName(QStringLiteral("confirmation"));

    auto* form = new QFormLayout;
    form->addRow(languageText(context.texts, readRow.text), read_);
    form->addRow(languageText(context.texts, overwriteRow.text), overwrite_);
    form->addRow(languageText(context.texts, kConfirmationText), confirmation_);
    QDialogButtonBox* buttons = makeButtonRow(context.texts, this, true, true);
    connect(buttons, &QDialogButtonBox::accepted, this, &CDataPasswordDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CDataPasswordDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    connect(overwrite_, &QLineEdit::textEdited, this, &CDataPasswordDialog::overwriteEdited);
}

QLineEdit* CDataPasswordDialog::makeField(const QString& text)
{
    auto* field = new QLineEdit(text, this);
    field->setFont(fixedWidthFont());
    const auto length = static_cast<int>(feature::kDataPasswordLength);
    field->setMaxLength(length);
    field->setValidator(new CCharFilterValidator({CharFilterKind::Alphanumeric, length, '.', {}}, field));
    return field;
}

void CDataPasswordDialog::overwriteEdited(const QString& text)
{
    // Without an overwrite password there is nothing to confirm: the confirmation is emptied.
    const bool asked = !text.isEmpty();
    if (!asked)
        confirmation_->clear();
    confirmation_->setEnabled(asked);
}

void CDataPasswordDialog::accept()
{
    const std::string overwrite = overwrite_->text().toStdString();
    const int problem = feature::dataPasswordProblem(overwrite, confirmation_->text().toStdString());
    if (problem != 0) {
        MessageRequest request;
        request.text = context_.texts.text(problem);
        request.caption = context_.texts.text(texts::kErrorCaption);
        request.buttons = MessageButtons::Ok;
        request.icon = MessageIcon::Error;
        context_.dialogs.showMessage(request);
        confirmation_->setFocus();
        return;
    }
    const auto session = open_();
    fields::FieldEngine& engine = session->engine();
    engine.commitText(feature::featureField(feature::kItemReadPassword), 0, read_->text().toStdString());
    engine.commitText(feature::featureField(feature::kItemOverwritePassword), 0, overwrite);
    QDialog::accept();
}

void CDataPasswordDialog::keyPressEvent(QKeyEvent* event)
{
    // Enter moves on as Tab does, except on the buttons.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && qobject_cast<QLineEdit*>(focusWidget())) {
        focusNextChild();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace rps
