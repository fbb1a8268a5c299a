#include "texts/LanguageTable.h"

#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

namespace rps {
namespace {

using Line = std::vector<std::string>;

constexpr std::string_view kTextMarker = "^#";
constexpr std::string_view kLanguageLineTag = "*Language";
constexpr std::string_view kFontLineTag = "*Font";

// "\n", "\t" and "\a" inside a text stand for a line feed, a tab and a comma.
std::string resolveEscapes(const std::string& raw)
{
    std::string out;
    out.reserve(raw.size());
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '\\' && i + 1 < raw.size()) {
            const char next = raw[i + 1];
            if (next == 'n' || next == 't' || next == 'a') {
                out += next == 'n' ? '\n' : next == 't' ? '\t' : ',';
                ++i;
                continue;
            }
        }
        out += raw[i];
    }
    return out;
}

// Splits the file into lines of fields. Inside double quotes a comma and a line feed belong
// to the field (kept as their escapes) and a doubled quote is one quote. A last line that
// does not end in a line feed is not read; a carriage return before a line feed is dropped
// so that a file saved with DOS line ends reads the same.
std::vector<Line> splitLines(std::string_view text)
{
    std::vector<Line> lines;
    Line current;
    std::string field;
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"') {
                if (i + 1 < text.size() && text[i + 1] == '"') {
                    field += '"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else if (c == ',') {
                field += "\\a";
            } else if (c == '\n') {
                field += "\\n";
            } else {
                field += c;
            }
            continue;
        }
        if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            current.push_back(resolveEscapes(field));
            field.clear();
        } else if (c == '\n') {
            if (!field.empty() && field.back() == '\r') {
                field.pop_back();
            }
            current.push_back(resolveEscapes(field));
            field.clear();
            lines.push_back(std::move(current));
            current.clear();
        } else {
            field += c;
        }
    }
    return lines;
}

int columnOf(const std::vector<std::string>& header, std::string_view languageName)
{
    for (std::size_t n = 1; n < header.size(); ++n) {
        if (header[n] == languageName) {
            return static_cast<int>(n);
        }
    }
    return -1;
}

} // namespace

LanguageLoadResult LanguageTable::loadFile(const std::string& path, std::string_view languageName)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return LanguageLoadResult::NotFound;
    }
    std::ostringstream content;
    content << in.rdbuf();
    if (in.bad()) {
        return LanguageLoadResult::Damaged;
    }
    return loadText(content.str(), languageName);
}

LanguageLoadResult LanguageTable::loadText(std::string_view fileText, std::string_view languageName)
{
    const std::vector<Line> lines = splitLines(fileText);

    const Line* header = nullptr;
    const Line* font = nullptr;
    for (const Line& line : lines) {
        if (!header && line.front() == kLanguageLineTag) {
            header = &line;
        } else if (!font && line.front() == kFontLineTag) {
            font = &line;
        }
    }
    if (!header) {
        return LanguageLoadResult::Damaged;
    }
    const int found = columnOf(*header, languageName);
    const std::size_t column = found < 0 ? 1 : static_cast<std::size_t>(found);

    // Filled into a new table so that a damaged file leaves the current texts whole.
    auto texts = std::make_unique<std::array<std::string, kLanguageTextCount>>();
    std::array<bool, kLanguageTextCount> filled{};
    std::size_t count = 0;
    for (const Line& line : lines) {
        const std::string& first = line.front();
        const std::size_t marker = first.find(kTextMarker);
        if (marker == std::string::npos) {
            continue;
        }
        std::string key = first;
        key.erase(marker, kTextMarker.size());
        const int index = languageIndexOfKey(key);
        if (index < 0 || filled[static_cast<std::size_t>(index)]) {
            return LanguageLoadResult::Damaged;
        }
        filled[static_cast<std::size_t>(index)] = true;
        // A line without a field for this language falls back to the first language.
        const std::size_t use = column < line.size() ? column : 1;
        if (use < line.size()) {
            (*texts)[static_cast<std::size_t>(index)] = line[use];
        }
        ++count;
    }
    if (count != kLanguageTextCount) {
        return LanguageLoadResult::Damaged;
    }

    texts_ = std::move(*texts);
    header_ = *header;
    font_ = font ? *font : std::vector<std::string>{};
    column_ = static_cast<int>(column);
    loaded_ = true;
    return LanguageLoadResult::Ok;
}

const std::string& LanguageTable::text(int index) const
{
    static const std::string kEmpty;
    if (index < 0 || index >= static_cast<int>(kLanguageTextCount)) {
        return kEmpty;
    }
    return texts_[static_cast<std::size_t>(index)];
}

int LanguageTable::languageColumn(std::string_view languageName) const
{
    return columnOf(header_, languageName);
}

std::string LanguageTable::currentLanguageName() const
{
    if (column_ < 0 || static_cast<std::size_t>(column_) >= header_.size()) {
        return {};
    }
    return header_[static_cast<std::size_t>(column_)];
}

} // namespace rps
