#pragma once
// The forms whose fields are declared, for everything that walks fields without showing
// them: the command-line tool's show and set, printing, comparing configurations. A form
// declared here appears there at once, with no code of its own.
//
// Field keys are stable: form[.record].field, the record named by what it is (channel 3,
// key 1-6, port 1-6, timer 1-3, list row), never by a grid row that comes and goes.
#include "forms/fields/DeclaredForm.h"

#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps {

std::span<const DeclaredForm> declaredForms();
const DeclaredForm* findDeclaredForm(std::string_view key);

// One field of one record, as show lists it.
struct FieldEntry {
    std::string key;
    const fields::FieldRow* row;
    int record;
};

// Every data field of a form in key order (records in order, then the table's rows). A
// record that does not exist lists only the fields that are enabled for it (the receive
// frequency that creates a channel).
std::vector<FieldEntry> listFields(const DeclaredForm& form, fields::FieldEngine& engine);

// The caption show prints for a field: its own, and a numbered field's frame before the number
// ("CW ID 3", not "3").
std::string fieldCaption(const fields::FieldEngine& engine, const FieldEntry& field);

// The field a key names, or nothing.
std::optional<FieldEntry> findField(const DeclaredForm& form, fields::FieldEngine& engine,
                                    std::string_view key);

// The text as the field's character filter lets it be typed, character by character: '.' or
// ',' becomes the decimal separator the form uses, a letter changes case where the filter changes
// it (B becomes b in a channel name). Nothing when the field would refuse one of its characters
// (a minus sign in a time, a letter in a frequency or a RAN code); the off text and an entry of
// the field's list pass as given, and so does every text of a list, check box or order.
std::optional<std::string> typedText(const fields::FieldEngine& engine, const FieldEntry& field,
                                     std::string_view text);

// A value as a user would enter it: a list takes the entry with that label (letter case
// ignored), a check box its on or off label, an order its labels in the new order separated by commas
// (as show prints it), every other field the text typed and left.
fields::EditResult enterFieldText(fields::FieldEngine& engine, const FieldEntry& field,
                                  std::string_view text);

} // namespace rps
