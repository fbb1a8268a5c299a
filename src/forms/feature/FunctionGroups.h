#pragma once
// Removal groups: the functions that go together when their prerequisite is switched off or
// emptied (the repeat hold timer, the voting pilot tone, a message record, a timer, a
// connection row, an output no longer driven by keys). Removing a group empties its codes in
// every place that holds function codes.
#include <array>
#include <cstdint>
#include <span>

namespace rps::feature {

inline constexpr int kFunctionGroupCount = 35;

inline constexpr int kGroupRepeatHold = 2;       // the repeat hold timer was set to 0
inline constexpr int kGroupVotingPilot = 26;     // the voting pilot tone was switched off
inline constexpr int kGroupFirstMessage = 16;    // message records 1..8 follow in order
inline constexpr int kGroupFirstTimer = 27;      // timers 1..3 follow in order
inline constexpr int kGroupFirstConnection = 30; // connection rows 1..5 follow in order

// The three codes of a group 0..34; 0x2020 stands for "no third code". Nothing for a number
// outside the table.
const std::array<uint16_t, 3>* functionGroup(int group);

// Empties the group's codes in every place (and the slots after them). Returns true when
// anything changed; a group number outside the table changes nothing.
bool removeFunctionGroup(std::span<uint8_t> mainArea, int group);

} // namespace rps::feature
