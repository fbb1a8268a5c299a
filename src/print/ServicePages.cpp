#include "print/ServicePages.h"

#include "print/ReportPages.h"

#include <algorithm>
#include <cstdio>

namespace rps::print {

namespace {

TextTable pairs(const std::string& title, const Lines& lines)
{
    TextTable table{title, {}, {}};
    for (const auto& [caption, value] : lines)
        table.rows.push_back({caption, value});
    return table;
}

std::string hex(unsigned value, int digits)
{
    char text[8];
    std::snprintf(text, sizeof text, "%0*X", digits, value);
    return text;
}

} // namespace

PrintedPage testModePage(const TextOf& text, const std::string& unit, const Lines& conditions,
                         std::span<const uint8_t> alignment)
{
    PrintedPage page{text(kTestModeTitleText), {}};
    page.body.push_back(pairs({}, {{text(kUnitRecordText), unit}}));
    page.body.push_back(pairs({}, conditions));
    TextTable dump{text(kAlignmentText), {""}, {}};
    for (unsigned column = 0; column < 16; ++column)
        dump.headers.push_back(hex(column, 1).insert(0, 1, '+'));
    for (std::size_t line = 0; line < alignment.size(); line += 16) {
        std::vector<std::string> cells{hex(static_cast<unsigned>(line), 3)};
        for (std::size_t i = line; i < std::min(alignment.size(), line + 16); ++i)
            cells.push_back(hex(alignment[i], 2));
        dump.rows.push_back(std::move(cells));
    }
    page.body.push_back(std::move(dump));
    return page;
}

PrintedPage radioInformationPage(const TextOf& text, const Lines& lines)
{
    return {text(kRadioInfoTitleText), {pairs({}, lines)}};
}

} // namespace rps::print
