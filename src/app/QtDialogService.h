#pragma once
// The dialog service of the application: real Qt message boxes, file dialogs and the
// password prompt, owned by the active window.
#include "app/DialogService.h"

#include <QString>

class QWidget;

namespace rps {

class LanguageTable;

class QtDialogService : public DialogService {
public:
    explicit QtDialogService(const LanguageTable& texts);

    MessageAnswer showMessage(const MessageRequest& request) override;
    std::optional<std::string> chooseOpenFile(const FileRequest& request) override;
    std::optional<std::string> chooseSaveFile(const FileRequest& request) override;
    std::optional<std::string> askPassword(const std::string& caption, const std::string& prompt,
                                           int maxLength) override;

private:
    QWidget* owner() const;
    QString text(int index) const;

    const LanguageTable& texts_;
};

} // namespace rps
