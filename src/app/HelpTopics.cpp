#include "app/HelpTopics.h"

#include "app/ShellCommands.h"
#include "forms/common/FormCommands.h"
#include "forms/feature/FunctionTable.h"

#include <algorithm>
#include <array>

namespace rps {

namespace {

struct ContextRow {
    int command; // 0: a context that belongs to a dialog control, not to a command
    int context;
    std::string_view page;
    std::string_view anchor;
};

// Commands with more than one entry share one context (the service tools).
constexpr int kTraceDataCommand = 32857;
constexpr int kServiceCommand = 32850;
constexpr int kPrintSetupContext = 69640;

constexpr std::array<ContextRow, 46> kContexts{{
    {cmd::kNew, 69633, "file.html", "new"},
    {cmd::kOpen, 69634, "file.html", "open"},
    {cmd::kSave, 69635, "file.html", "save"},
    {cmd::kSaveAs, 69636, "file.html", "save-as"},
    {cmd::kPrint, 69637, "printing.html", "print"},
    {cmd::kPrintPreview, 69638, "printing.html", "preview"},
    {cmd::kExit, 69639, "file.html", "exit"},
    {0, kPrintSetupContext, "printing.html", "setup"},
    {cmd::kModelInformation, 73985, "model.html", ""},
    {kChannelInformationCommand, 78080, "channel.html", ""},
    {kOptionalFeaturesCommand, 78336, "features.html", ""},
    {kKeyAssignmentCommand, 78592, "key.html", ""},
    {kScanInformationCommand, 78848, "scan.html", ""},
    {kDtmfCommand, 79104, "dtmf.html", ""},
    {kEncodeDecodeCommand, 79885, "encode-decode.html", ""},
    {kNxdnCommand, 79952, "nxdn.html", ""},
    {kRemoteControlCommand, 80128, "remote.html", ""},
    {kFunctionPortCommand, 80384, "port.html", ""},
    {kTestFrequencyCommand, 80640, "test-frequency.html", ""},
    {kEmbeddedMessageCommand, 80897, "message.html", ""},
    {kMultiTableCommand, 81152, "multi-table.html", ""},
    {kCwMessageCommand, 81408, "cw-message.html", ""},
    {kEmbeddedPasswordCommand, 81664, "protected-message.html", ""},
    {cmd::kReadFromRadio, 82176, "program.html", "read"},
    {cmd::kWriteToRadio, 82432, "program.html", "write"},
    {cmd::kTestMode, 82688, "test-mode.html", ""},
    {cmd::kRepeaterInformation, 86272, "tools.html", "repeater-information"},
    {kServiceCommand, 86784, "tools.html", ""},
    {cmd::kKeypad, 87040, "tools.html", "keypad"},
    {cmd::kCommunicationPort, 90368, "setup.html", "port"},
    {cmd::kLanguageFileSetup, 90624, "setup.html", "language"},
    {cmd::kSecurity, 90880, "setup.html", "security"},
    {cmd::kTreeView, 94464, "windows.html", "tree-view"},
    {cmd::kToolBar, 94720, "windows.html", "tool-bar"},
    {cmd::kStatusBar, 94976, "windows.html", "status-bar"},
    {cmd::kCascade, 98560, "windows.html", "cascade"},
    {cmd::kTileHorizontally, 98816, "windows.html", "tile-horizontally"},
    {cmd::kTileVertically, 99072, "windows.html", "tile-vertically"},
    {cmd::kArrange, 99328, "windows.html", "arrange"},
    {cmd::kCloseAllWindows, 99584, "windows.html", "close-all"},
    {kUserListCommand, 196608, "user-list.html", ""},
    {cmd::kTuningData, 327680, "service.html", ""},
    {cmd::kMemoryMapTrace, 327680, "service.html", ""},
    {kTraceDataCommand, 327680, "service.html", ""},
    {cmd::kHardwareVersion, 327680, "service.html", ""},
    {kAdvancedSettingsCommand, 991232, "advanced.html", ""},
}};

constexpr int kAdvancedContext = 991232;

// Forms opened from other forms have no context number of their own; they have a page.
struct FormPage {
    int command;
    std::string_view page;
    std::string_view anchor;
};

constexpr std::array<FormPage, 5> kOtherFormPages{{
    {kChannelEditCommand, "channel.html", "channel-edit"},
    {kBeatShiftCommand, "beat-shift.html", ""},
    {kCwIdCommand, "cwid.html", ""},
    {cmd::kSupportUtility, "tools.html", "support-utility"},
    {cmd::kMemoryMap, "program.html", "memory-map"},
}};

HelpTopic topicOf(std::string_view page, std::string_view anchor, bool advanced)
{
    return {std::string(page), std::string(anchor), advanced};
}

bool isFunctionContext(int context)
{
    for (const feature::FunctionEntry& entry : feature::functionTable()) {
        if (entry.helpContext == context)
            return true;
    }
    return false;
}

} // namespace

std::optional<HelpTopic> topicForContext(int context)
{
    for (const ContextRow& row : kContexts) {
        if (row.context == context)
            return topicOf(row.page, row.anchor, context == kAdvancedContext);
    }
    if (isFunctionContext(context))
        return topicOf("functions.html", "function-" + std::to_string(context - feature::kFunctionHelpBase),
                       false);
    return std::nullopt;
}

int helpContextForCommand(int command)
{
    for (const ContextRow& row : kContexts) {
        if (row.command != 0 && row.command == command)
            return row.context;
    }
    return 0;
}

std::optional<HelpTopic> topicForForm(int formCommand)
{
    if (const int context = helpContextForCommand(formCommand); context != 0)
        return topicForContext(context);
    for (const FormPage& row : kOtherFormPages) {
        if (row.command == formCommand)
            return topicOf(row.page, row.anchor, false);
    }
    return std::nullopt;
}

std::string fieldAnchor(std::string_view formKey, std::string_view fieldKey)
{
    return std::string(formKey) + "." + std::string(fieldKey);
}

std::optional<HelpTopic> topicForField(int formCommand, std::string_view fieldKey)
{
    std::optional<HelpTopic> topic = topicForForm(formCommand);
    if (!topic || fieldKey.empty())
        return topic;
    // The page is named after the declared form whose fields it lists.
    const std::string formKey = topic->page.substr(0, topic->page.rfind('.'));
    topic->anchor = fieldAnchor(formKey, fieldKey);
    return topic;
}

std::vector<int> describedHelpContexts()
{
    std::vector<int> contexts;
    for (const ContextRow& row : kContexts) {
        if (std::find(contexts.begin(), contexts.end(), row.context) == contexts.end())
            contexts.push_back(row.context);
    }
    return contexts;
}

std::string helpAddress(const HelpTopic& topic)
{
    std::string address = "qthelp://" + std::string(kHelpNamespace) + "/doc/" + topic.page;
    if (!topic.anchor.empty())
        address += "#" + topic.anchor;
    return address;
}

} // namespace rps
