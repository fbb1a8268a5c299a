#pragma once
// The key function table: every function the repeater can run from a key, an input or an
// event, in the order the choice lists show them. A code is two ASCII characters, low byte
// first; 0x2020 (two spaces) is "no function".
#include <cstdint>
#include <optional>
#include <span>

namespace rps::feature {

struct FunctionEntry {
    uint16_t code = 0;
    int nameText = 0;    // language text of the function's name
    int helpContext = 0; // help page of the function
};

inline constexpr std::size_t kFunctionCount = 137;

// Our help pages for functions are numbered after their name texts.
inline constexpr int kFunctionHelpBase = 0x20000;

std::span<const FunctionEntry> functionTable();

// The table entry of a code, or nothing for a code the table does not know.
const FunctionEntry* findFunction(uint16_t code);
// Position of a code in the table.
std::optional<std::size_t> functionIndex(uint16_t code);

} // namespace rps::feature
