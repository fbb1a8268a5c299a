#pragma once
// The columns of the channel information grid and the rules of its cells: the "---" of
// fields the channel type does not use, and which cell's editor opens when the user edits
// a cell that cannot be edited. Each column shows a field of the channel field table.
#include "forms/channel/ChannelFields.h"
#include "forms/fields/GridColumn.h"

#include <array>
#include <string>

namespace rps {

struct ChannelGridColumn {
    int item; // the channel field shown
    int headerText;
    int width;
    CellAlign align;
};

inline constexpr int kChannelGridFixedHeaderText = 885;
inline constexpr int kChannelGridFixedWidth = 30;
extern const std::array<ChannelGridColumn, 9> kChannelGridColumns;

// Text of a data column (0-based; column 0 is the receive frequency).
std::string channelGridCellText(fields::FieldEngine& engine, int channel, int column);
// The column whose editor opens when the user edits `column` of this row.
int channelGridEditColumn(fields::FieldEngine& engine, int channel, int column);

} // namespace rps
