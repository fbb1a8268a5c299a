#pragma once
// Where help is for each help context: the page and anchor of our help pages, and whether the
// page is in the advanced collection. Menu commands and forms have the context numbers the
// dealers know; the functions of the key function table are numbered 0x20000 + their name
// text; a field of a declared form is its form's page at an anchor named by its key without
// the record part ("dtmf.speed", "channel.rx-frequency").
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

struct HelpTopic {
    std::string page;   // file name inside the collection, "dtmf.html"
    std::string anchor; // empty: the top of the page
    bool advanced = false;

    bool operator==(const HelpTopic&) const = default;
};

// The page of a help context; nothing for a number without help.
std::optional<HelpTopic> topicForContext(int context);
// The help context of a menu command or form command, 0 when it has none.
int helpContextForCommand(int command);
// The help page of a form, by its command (also the forms opened from other forms).
std::optional<HelpTopic> topicForForm(int formCommand);
// A field of a form: the form's page at the anchor "formkey.fieldkey".
std::optional<HelpTopic> topicForField(int formCommand, std::string_view fieldKey);
// The anchor of a field of a declared form: the key of show without its record part.
std::string fieldAnchor(std::string_view formKey, std::string_view fieldKey);
// Every context number a menu, a form or a dialog opens help with.
std::vector<int> describedHelpContexts();

// The help collections' namespace and the address of a topic in them.
inline constexpr std::string_view kHelpNamespace = "org.zentrel.rps360t";
std::string helpAddress(const HelpTopic& topic);

} // namespace rps
