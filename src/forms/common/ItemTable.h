#pragma once
// The item table that drives a form: one row per item with its control kind, caption
// language text and place on the form. The builder lays a form out from it.
#include <span>

namespace rps {

enum class ItemControlKind {
    Edit,
    EditWithSpin,
    DropDown,
    EditableDropDown,
    CheckBox,
    GroupFrame,
    PushButton,
    OrderList, // entries reordered with spin buttons
    Text,      // a read-only line of text
};

struct FormItem {
    int item; // the number the form's rules use
    ItemControlKind kind;
    int textNumber; // language text of the caption
    int column = 0; // layout column of the form
    int group = -1; // item number of the group frame that holds it, -1 for none
};

using ItemTable = std::span<const FormItem>;

} // namespace rps
