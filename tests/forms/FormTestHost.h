#pragma once
// A stand-in for the main frame in form tests and screenshots: it keeps the current
// channel, opens forms from the catalog into top-level windows, forwards refreshes and
// channel moves, and answers every message box with OK while recording it.
#include "TestPaths.h"
#include "forms/FormCatalog.h"
#include "forms/common/CFormView.h"
#include "forms/common/FormContext.h"
#include "model/ModelBlock.h"
#include "texts/LanguageTable.h"

#include <QPointer>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace rps::test {

class RecordingDialogs : public DialogService {
public:
    MessageAnswer showMessage(const MessageRequest& request) override
    {
        messages.push_back(request.text);
        if (answers.empty())
            return MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> askPassword(const std::string&, const std::string& prompt, int) override
    {
        prompts.push_back(prompt);
        if (whileAsking)
            whileAsking();
        if (passwords.empty())
            return std::nullopt;
        std::optional<std::string> typed = passwords.front();
        passwords.pop_front();
        return typed;
    }
    std::vector<std::string> messages;
    std::deque<MessageAnswer> answers;                // an empty queue answers OK
    std::deque<std::optional<std::string>> passwords; // an empty queue cancels
    std::vector<std::string> prompts;
    std::function<void()> whileAsking;
};

class FormTestHost : public FormHost {
public:
    explicit FormTestHost(uint16_t modelCode = 0x0400)
        : limits(FrequencyLimits::forModelCode(modelCode, false)), context{image, texts, options, dialogs,
                                                                           *this}
    {
        texts.loadFile(kLanguageFile, "English");
        writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    }
    ~FormTestHost() override
    {
        for (auto& [command, form] : forms)
            delete form.data();
    }

    void refreshAllForms() override
    {
        ++refreshes;
        for (auto& [command, form] : forms) {
            if (form)
                form->refreshFromImage();
        }
    }
    void openForm(int command) override
    {
        opened.push_back(command);
        if (forms.count(command) && forms[command]) {
            forms[command]->refreshFromImage();
            return;
        }
        if (const FormDescriptor* descriptor = findForm(command)) {
            CFormView* form = descriptor->create(context, nullptr);
            form->setWindowTitle(form->formTitle());
            QObject::connect(form, &CFormView::titleChanged, form, &QWidget::setWindowTitle);
            forms[command] = form;
            form->show();
        }
    }
    void closeForm(int command) override
    {
        closed.push_back(command);
        // As the main frame does: the form gets its close event, then goes.
        QPointer<CFormView> form = forms.count(command) ? forms[command] : nullptr;
        forms.erase(command);
        if (form) {
            form->close();
            form->deleteLater();
        }
    }
    int currentChannel() const override { return channel; }
    void setCurrentChannel(int newChannel) override
    {
        channel = newChannel;
        for (auto& [command, form] : forms) {
            if (form)
                form->channelSelectionChanged(newChannel);
        }
    }
    FrequencyLimits frequencyLimits() const override { return limits; }
    char decimalSeparator() const override { return '.'; }
    bool formAvailable(int command) const override { return findForm(command) != nullptr; }
    // The viewer is the service's (MemMapDialogTest opens it directly); here the key is only noted.
    void showChannelRecord(int channel, QWidget*) override { channelRecordsShown.push_back(channel); }
    RadioLink* radioLink() override { return link; }

    std::vector<int> channelRecordsShown;

    CFormView* form(int command) { return forms.count(command) ? forms[command].data() : nullptr; }

    ConfigImage image;
    LanguageTable texts;
    AppOptions options;
    RecordingDialogs dialogs;
    FrequencyLimits limits;
    FormContext context;
    RadioLink* link = nullptr; // a form's own exchanges go here when set
    int channel = 0;
    int refreshes = 0;
    std::vector<int> opened;
    std::vector<int> closed;
    std::map<int, QPointer<CFormView>> forms;
};

} // namespace rps::test
