#pragma once
// How a grid column looks and is edited; forms describe their columns with these in the
// core, the grid model shows them.
#include "forms/common/CharFilter.h"

namespace rps {

enum class CellAlign { Left, Centre, Right };
enum class CellEditorKind { None, Text, DropDown, EditableDropDown };

struct GridColumnInfo {
    int item;       // the form's item number shown in the column
    int headerText; // language text
    int width;      // pixels at the default font
    CellAlign align;
    CellEditorKind editor;
    CharFilterKind filter = CharFilterKind::Any;
    int maxLength = 0;
};

} // namespace rps
