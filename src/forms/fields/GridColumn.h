#pragma once
// How a grid column is aligned and which editor its cells open.
#include "forms/fields/CharFilter.h"

namespace rps {

enum class CellAlign { Left, Centre, Right };
enum class CellEditorKind { None, Text, DropDown, EditableDropDown };

} // namespace rps
