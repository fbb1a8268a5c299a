#pragma once
// The plain text a grid puts on the clipboard: each row's cells (the fixed column first)
// joined by tabs, rows joined by "\n" with no line end after the last; with title, a first
// line of the header texts ended by "\n".
#include <string>
#include <vector>

namespace rps {

std::string gridClipText(const std::vector<std::vector<std::string>>& rows,
                         const std::vector<std::string>* headers = nullptr);

} // namespace rps
