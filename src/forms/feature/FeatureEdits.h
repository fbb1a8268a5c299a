#pragma once
// Edits of the feature forms that reach beyond the byte they write: a key, input or output
// whose function changes loses its remote-control entry; a timer, the repeat hold timer or the
// voting pilot tone switched off takes the functions that need it out of every place. Each
// returns true when the image changed; a number out of range changes nothing.
#include <cstdint>
#include <optional>
#include <span>

namespace rps::feature {

// The first slot of key 1..6 (the one the key form edits).
bool setKeyFunction(std::span<uint8_t> mainArea, int key, uint16_t code);

// Slot 1..3 of fixed input 1..3 or of port 1..6 as an input. Emptying a slot empties the
// slots after it; a new code in slot 1 resets the input's remote-control entry.
bool setFixedInputFunction(std::span<uint8_t> mainArea, int input, int slot, uint16_t code);
bool setPortInputFunction(std::span<uint8_t> mainArea, int port, int slot, uint16_t code);

// The output function byte of fixed output 1..5 or of port 1..6 as an output; a different
// function resets the output's remote-control entry.
bool setFixedOutputFunction(std::span<uint8_t> mainArea, int row, uint8_t function);
bool setPortOutputFunction(std::span<uint8_t> mainArea, int port, uint8_t function);

// Timer 1..3 at 0 empties the three code slots of its row.
bool applyTimerValue(std::span<uint8_t> mainArea, int timer);
// The repeat hold timer at 0 removes the repeat hold functions from every place.
bool applyRepeatHoldTimer(std::span<uint8_t> mainArea);
// The voting pilot tone off removes the voting functions from every place.
bool applyVotingPilotTone(std::span<uint8_t> mainArea);

// Moves PTT priority entry 0..2 one place towards the start (step −1) or the end (step +1) by
// swapping two bytes. Returns the entry's new place, or nothing when it cannot move.
std::optional<int> movePttPriority(std::span<uint8_t> mainArea, int entry, int step);

} // namespace rps::feature
