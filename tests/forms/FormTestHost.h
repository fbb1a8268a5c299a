#pragma once
// A stand-in for the main frame in form tests and screenshots: it keeps the current
// channel, opens forms from the catalog into top-level windows, forwards refreshes and
// channel moves, and answers its questions as a script says (OK when it says nothing), recording them.
#include "TestPaths.h"
#include "forms/FormCatalog.h"
#include "forms/common/CFormView.h"
#include "forms/common/FormContext.h"
#include "model/ModelBlock.h"
#include "texts/LanguageTable.h"
#include "texts/RecordingDialogs.h"

#include <QPointer>
#include <deque>
#include <functional>
#include <map>
#include <vector>

namespace rps::test {

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
