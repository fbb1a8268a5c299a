#include "forms/common/GridClipText.h"

namespace rps {

namespace {
std::string joinCells(const std::vector<std::string>& cells)
{
    std::string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0)
            line += '\t';
        line += cells[i];
    }
    return line;
}
} // namespace

std::string gridClipText(const std::vector<std::vector<std::string>>& rows,
                         const std::vector<std::string>* headers)
{
    std::string text;
    if (headers)
        text = joinCells(*headers) + "\n";
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += joinCells(rows[i]);
    }
    return text;
}

} // namespace rps
