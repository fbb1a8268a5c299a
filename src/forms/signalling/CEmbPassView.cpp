#include "forms/signalling/CEmbPassView.h"

#include "forms/common/FormCommands.h"
#include "forms/common/FormSupport.h"
#include "forms/signalling/MessageFields.h"
#include "forms/signalling/MorseEditWidth.h"
#include "link/ProtectedMessage.h"

#include <QApplication>
#include <QPushButton>

namespace rps {

using namespace signalling;

namespace {
constexpr int kWriteText = 31;
constexpr int kPasswordChangeText = 43;
} // namespace

CEmbPassView::CEmbPassView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kEmbeddedPasswordCommand, parent)
{
    CFieldForm* form = makeDeclaredForm(kProtectedMessageFields, "protected-message");
    write_ = new QPushButton(text(kWriteText), this);
    write_->setObjectName("writeMessage");
    password_ = new QPushButton(text(kPasswordChangeText), this);
    password_->setObjectName("changePassword");
    setFieldForm(form, {write_, password_});
    for (int item : {message::kItemLine1, message::kItemLine2}) {
        // A whole line of 32 characters shows.
        control(item)->setFont(fixedWidthFont());
        fitToText(control(item));
    }
    connect(form, &CFieldForm::edited, this, &CEmbPassView::showStored);
    connect(write_, &QPushButton::clicked, this, [this] { run(Operation::Write); });
    connect(password_, &QPushButton::clicked, this, [this] { run(Operation::ChangePassword); });
    refreshFromImage();
}

CFormView* CEmbPassView::create(FormContext& context, QWidget* parent)
{
    return new CEmbPassView(context, parent);
}

void CEmbPassView::refreshFromImage()
{
    fieldForm()->refresh();
    const bool linked = context().host.radioLink() != nullptr;
    write_->setEnabled(linked && !busy_);
    password_->setEnabled(linked && !busy_);
}

void CEmbPassView::run(Operation operation)
{
    RadioLink* link = context().host.radioLink();
    if (link == nullptr || busy_)
        return;
    // A line still being typed is stored before it is sent.
    fieldForm()->commitPending(QApplication::focusWidget());
    busy_ = true;
    refreshFromImage();
    TransferContext transfer{*link,
                             context().dialogs,
                             context().texts,
                             nullptr,
                             [] { QApplication::processEvents(); },
                             InstallationId{},
                             nullptr};
    if (operation == Operation::Write)
        writeProtectedMessage(transfer, context().image);
    else
        changeMessagePassword(transfer, context().image);
    busy_ = false;
    // The password change stores the new password in the image.
    context().host.refreshAllForms();
    refreshFromImage();
}

} // namespace rps
