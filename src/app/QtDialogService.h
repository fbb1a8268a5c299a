#pragma once
// The dialog service of the application: real Qt message boxes, file dialogs and the
// password prompt, owned by the active window.
#include "texts/DialogService.h"

#include <QString>

#include <functional>

class QLineEdit;
class QWidget;

namespace rps {

class LanguageTable;

class QtDialogService : public DialogService {
public:
    // The texts give the button captions; until the language file is loaded Qt's own are used.
    explicit QtDialogService(const LanguageTable* texts = nullptr) : texts_(texts) {}
    void setTexts(const LanguageTable* texts) { texts_ = texts; }

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<std::string> chooseOpenFile(const FileRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileRequest& request) override;
    std::optional<std::string> askPassword(const std::string& caption, const std::string& prompt,
                                           int maxLength) override;
    std::optional<std::string> askDigitPassword(const std::string& caption, const std::string& prompt,
                                                int maxLength) override;
    bool askDigitPasswordUntil(const std::string& caption, const std::string& prompt, int maxLength,
                               const PasswordCheck& check) override;
    void askPasswordChange(const PasswordChangeRequest& request, const PasswordChangeCheck& check) override;

private:
    QWidget* owner() const;
    // The password prompt around a field made by makeField for the dialog.
    // OK hands the entry to check; without one, OK closes the question with the entry.
    std::optional<std::string> runPasswordDialog(const std::string& caption, const std::string& prompt,
                                                 const std::function<QLineEdit*(QWidget*)>& makeField,
                                                 const PasswordCheck& check = {});
    QString text(int index) const;

    const LanguageTable* texts_;
};

} // namespace rps
