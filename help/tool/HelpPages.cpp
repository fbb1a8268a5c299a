#include "HelpPages.h"

#include "app/HelpTopics.h"
#include "forms/FieldForms.h"
#include "forms/feature/FunctionTable.h"

#include <algorithm>
#include <cstdio>
#include <regex>
#include <set>
#include <sstream>

namespace rps::help {

namespace {

using fields::Control;
using fields::FieldRow;
using fields::Width;

std::string escaped(std::string_view text)
{
    std::string out;
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// A caption without the template marks and the line breaks of the form.
std::string caption(const LanguageTable& texts, int number)
{
    std::string text = texts.text(number);
    for (char& c : text) {
        if (c == '\n' || c == '\t')
            c = ' ';
    }
    while (!text.empty() &&
           (text.back() == '*' || text.back() == '@' || text.back() == ' ' || text.back() == ':'))
        text.pop_back();
    std::string out;
    for (const char c : text) {
        if (c != '&')
            out += c;
    }
    return out;
}

std::string number(double value)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%g", value);
    return buffer;
}

std::string whatItTakes(const FieldRow& row, const LanguageTable& texts, const fields::FieldEngine& engine)
{
    std::string text;
    switch (row.control) {
    case Control::Edit:
    case Control::EditWithSpin:
        if (row.storage.width == Width::Text) {
            text = "Typed text of up to " + std::to_string(row.storage.length) + " characters.";
        } else if (row.codec == nullptr && row.range.isSet() && row.range.min < row.range.max) {
            text = "Typed";
            if (row.control == Control::EditWithSpin)
                text += " or stepped with the spin buttons";
            text += ": " + number(row.range.min) + " to " + number(row.range.max);
            if (row.range.step != 1)
                text += " in steps of " + number(row.range.step);
            text += ". A number outside the range is stored as the nearest limit and a value between "
                    "steps is rounded down to a step.";
        } else {
            text = "Typed; the field accepts only the characters it can store.";
        }
        if (row.range.hasOff) {
            const std::string off = row.range.offText != 0 ? caption(texts, row.range.offText) : "";
            if (row.codec != nullptr && !off.empty())
                text += " \"" + off + "\" is taken as well."; // a value of its own, such as All
            else
                text += off.empty() ? " Emptying the field switches it off."
                                    : " \"" + off + "\" switches it off.";
        }
        break;
    case Control::DropDown:
    case Control::EditableDropDown: {
        text = "Chosen from a list";
        // A list of its own entries names them, by their text or as its codec shows a value.
        std::vector<std::string> labels;
        for (const fields::Choice& choice : row.choices)
            labels.push_back(choice.text > 0 ? caption(texts, choice.text) : engine.label(row, choice));
        const bool named = std::none_of(labels.begin(), labels.end(),
                                        [](const std::string& label) { return label.empty(); });
        if (!labels.empty() && labels.size() <= 16 && named) {
            text += ": ";
            for (std::size_t i = 0; i < labels.size(); ++i)
                text += (i == 0 ? "" : ", ") + ("\"" + labels[i] + "\"");
        }
        text += row.control == Control::EditableDropDown ? "; a value may also be typed." : ".";
        break;
    }
    case Control::CheckBox:
        text = "A check box: on or off.";
        break;
    case Control::Order:
        text = "An order: the entries are moved up and down, none is typed.";
        break;
    default:
        text = "A cell of the form's grid; typing starts the cell editor, Esc cancels it.";
        if (row.range.isSet())
            text += " Values " + number(row.range.min) + " to " + number(row.range.max) + ".";
    }
    return escaped(text);
}

} // namespace

std::string fieldSections(std::string_view formKey, const LanguageTable& texts,
                          const std::vector<std::pair<std::string, std::string>>& notes)
{
    const DeclaredForm* form = findDeclaredForm(formKey);
    if (form == nullptr)
        return "<p class=\"error\">No form " + escaped(formKey) + ".</p>\n";
    ConfigImage image;
    const auto session = form->open(
        image, fields::FieldEnv{[&texts](int n) { return texts.text(n); }, FrequencyLimits{}, '.'});
    std::ostringstream out;
    out << "<div class=\"fields\">\n";
    std::set<std::string> seen;
    std::set<std::string> titles;
    const fields::FieldTable table = session->engine().table();
    for (const FieldRow& row : table) {
        if (!row.isDataField())
            continue;
        const std::string anchor = fieldAnchor(formKey, row.key);
        if (!seen.insert(anchor).second)
            continue;
        std::string title = caption(texts, row.text);
        if (title.empty())
            title = std::string(row.key);
        // A caption the form shows in a frame or a grid says what it is together with it.
        const FieldRow* group = row.place.group >= 0 ? fields::findRow(table, row.place.group) : nullptr;
        const std::string frame = group != nullptr ? caption(texts, group->text) : "";
        if (!frame.empty() && frame != title)
            title = frame + ": " + title;
        // Captions that still repeat (one per row of a table) name the row by its key.
        if (!titles.insert(title).second)
            title += " (" + std::string(row.key) + ")";
        out << "<h3 id=\"" << anchor << "\">" << escaped(title) << "</h3>\n";
        out << "<p class=\"key\">Key <code>" << anchor << "</code></p>\n";
        for (const auto& [key, note] : notes) {
            // A note names a field or, ending in '.', every field whose key starts so.
            const bool matches = key == row.key || (!key.empty() && key.back() == '.' &&
                                                    std::string_view(row.key).starts_with(key));
            if (matches)
                out << "<p>" << note << "</p>\n";
        }
        out << "<p class=\"takes\">" << whatItTakes(row, texts, session->engine()) << "</p>\n";
    }
    out << "</div>\n";
    return out.str();
}

std::string functionSections(const LanguageTable& texts)
{
    std::ostringstream out;
    out << "<table class=\"functions\">\n<tr><th>Function</th><th>Code</th></tr>\n";
    for (const feature::FunctionEntry& entry : feature::functionTable()) {
        char code[8];
        std::snprintf(code, sizeof code, "%c%c", entry.code & 0xFF, entry.code >> 8);
        const std::string name = caption(texts, entry.nameText);
        out << "<tr><td><h4 id=\"function-" << entry.nameText << "\">"
            << escaped(name.empty() ? "None" : name) << "</h4></td><td><code>"
            << escaped(entry.code == 0x2020 ? "(none)" : code) << "</code></td></tr>\n";
    }
    out << "</table>\n";
    return out.str();
}

std::string expandPage(std::string_view source, const LanguageTable& texts)
{
    std::string page(source);
    std::vector<std::pair<std::string, std::string>> notes;
    const std::regex note(R"(<!--note ([a-z0-9.\-]+)-->([\s\S]*?)<!--/note-->\s*)");
    for (std::sregex_iterator it(page.begin(), page.end(), note), end; it != end; ++it)
        notes.emplace_back((*it)[1].str(), (*it)[2].str());
    page = std::regex_replace(page, note, "");
    const std::regex fieldsMarker(R"(<!--fields ([a-z\-]+)-->)");
    std::smatch match;
    while (std::regex_search(page, match, fieldsMarker)) {
        const std::string sections = fieldSections(match[1].str(), texts, notes);
        page.replace(static_cast<std::size_t>(match.position(0)), static_cast<std::size_t>(match.length(0)),
                     sections);
    }
    const std::string functionsMarker = "<!--functions-->";
    if (const auto at = page.find(functionsMarker); at != std::string::npos)
        page.replace(at, functionsMarker.size(), functionSections(texts));
    return page;
}

std::vector<ContentsLine> parseContents(std::string_view text)
{
    std::vector<ContentsLine> lines;
    std::istringstream in{std::string(text)};
    std::string line;
    while (std::getline(in, line)) {
        const auto first = line.find_first_not_of(' ');
        if (first == std::string::npos || line[first] == '#')
            continue;
        ContentsLine entry;
        entry.level = static_cast<int>(first / 2);
        std::string rest = line.substr(first);
        if (rest.front() == '!') {
            entry.advancedOnly = true;
            rest.erase(0, 1);
        }
        const auto space = rest.find(' ');
        entry.page = rest.substr(0, space);
        entry.title = space == std::string::npos ? entry.page : rest.substr(space + 1);
        lines.push_back(entry);
    }
    return lines;
}

std::string helpProject(const std::vector<ContentsLine>& contents, bool advanced,
                        const std::vector<std::pair<std::string, std::string>>& pages,
                        const std::vector<std::string>& extraFiles)
{
    std::ostringstream out;
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<QtHelpProject version=\"1.0\">\n"
        << "<namespace>" << kHelpNamespace << "</namespace>\n<virtualFolder>doc</virtualFolder>\n"
        << "<filterSection>\n<toc>\n";
    std::vector<int> open;
    std::set<std::string> included;
    for (const ContentsLine& line : contents) {
        if (line.advancedOnly && !advanced)
            continue;
        while (!open.empty() && open.back() >= line.level) {
            out << "</section>\n";
            open.pop_back();
        }
        out << "<section title=\"" << escaped(line.title) << "\" ref=\"" << line.page << "\">\n";
        open.push_back(line.level);
        included.insert(line.page);
    }
    for (; !open.empty(); open.pop_back())
        out << "</section>\n";
    out << "</toc>\n<keywords>\n";
    const std::regex heading(R"re(<h[2-4] id="([^"]+)">([^<]*)</h[2-4]>)re");
    for (const auto& [name, html] : pages) {
        if (!included.contains(name))
            continue;
        for (std::sregex_iterator it(html.begin(), html.end(), heading), end; it != end; ++it)
            out << "<keyword name=\"" << (*it)[2].str() << "\" ref=\"" << name << "#" << (*it)[1].str()
                << "\"/>\n";
    }
    out << "</keywords>\n<files>\n";
    for (const std::string& page : included)
        out << "<file>" << page << "</file>\n";
    for (const std::string& file : extraFiles)
        out << "<file>" << file << "</file>\n";
    out << "</files>\n</filterSection>\n</QtHelpProject>\n";
    return out.str();
}

std::string collectionProject(const std::string& projectFile, const std::string& documentFile)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<QHelpCollectionProject version=\"1.0\">\n"
           "<docFiles>\n<generate>\n<file>\n<input>" +
           projectFile + "</input>\n<output>" + documentFile +
           "</output>\n</file>\n</generate>\n<register>\n<file>" + documentFile +
           "</file>\n</register>\n</docFiles>\n</QHelpCollectionProject>\n";
}

} // namespace rps::help
