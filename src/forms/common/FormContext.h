#pragma once
// What an editing form is given by the main frame. A form holds no data of its own: it
// reads the working image on every refresh and writes a field back at commit.
#include "forms/common/AppOptions.h"
#include "model/ConfigImage.h"
#include "model/FrequencyLimits.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

class QWidget;

namespace rps {

class RadioLink;

// Implemented by the main frame.
class FormHost {
public:
    virtual ~FormHost() = default;
    // Every open form re-reads all its fields from the image.
    virtual void refreshAllForms() = 0;
    // Opens (or activates) the form of a menu command.
    virtual void openForm(int command) = 0;
    virtual void closeForm(int command) = 0;
    // The channel (0-based, 0..29) the channel forms are positioned on.
    virtual int currentChannel() const = 0;
    virtual void setCurrentChannel(int channel) = 0;
    virtual FrequencyLimits frequencyLimits() const = 0;
    virtual char decimalSeparator() const = 0;
    // Whether this build can make the form of a command (a button to a missing form is disabled).
    virtual bool formAvailable(int command) const = 0;
    // The memory-map viewer on one channel's record, over parent.
    virtual void showChannelRecord(int channel, QWidget* parent) = 0;
    // The link to the repeater for a form's own exchanges; nothing where there is none.
    virtual RadioLink* radioLink() { return nullptr; }
};

struct FormContext {
    ConfigImage& image;
    const LanguageTable& texts;
    const AppOptions& options;
    DialogService& dialogs;
    FormHost& host;
};

} // namespace rps
