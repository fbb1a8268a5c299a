#pragma once
// A declared form's fields as printable text tables, walked exactly as show walks them: every
// field the form lists, with its caption from the language file and the text the form shows.
// Plain fields become caption/value pairs per frame, a record grid one row per record, a grid
// of fields its rows and columns.
#include "forms/FieldForms.h"

#include <functional>
#include <string>
#include <vector>

namespace rps::print {

struct TextTable {
    std::string title;
    std::vector<std::string> headers; // empty: rows of caption and value
    std::vector<std::vector<std::string>> rows;
    bool besidePrevious = false; // drawn to the right of the table before it, not below
    // Columns that hold captions rather than values get the normal face, values the fixed one.
    bool pairs() const { return headers.empty(); }
};
using SectionBody = std::vector<TextTable>;

// One page as it is drawn: its section title and body.
struct PrintedPage {
    std::string title;
    SectionBody body;
};

// The fields of a form; `wanted` picks the records (every record when empty).
SectionBody formTables(const DeclaredForm& form, fields::FieldEngine& engine,
                       const std::function<bool(int record)>& wanted = {});

// The fields of some records side by side: one row per field, one column per record, headed
// `recordTitle` and the record's key ("Channel 3").
TextTable recordColumns(fields::FieldEngine& engine, const std::vector<int>& records,
                        const std::string& recordTitle);

// Lines a table takes on paper: its title, its header and its rows.
int lineCount(const TextTable& table);

// Page `page` of `pages` of a body cut at rows into shares of about equal lines; a table cut in
// two repeats its title and header.
SectionBody pageShare(const SectionBody& body, int page, int pages);

} // namespace rps::print
