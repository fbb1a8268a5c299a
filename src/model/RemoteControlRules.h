#pragma once
// Which remote-control rows and cells the repeater uses, read from the functions of the keys
// and the function port, and the repair that keeps the stored entries consistent with them:
// a row whose function takes no remote command holds no codes, a code of the wrong kind goes,
// and an input whose function is a one-shot action holds no deactivation code.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace rps::remote {

enum class CodeKind { None, Decode, Encode };

// What a stored code byte names; bytes outside the decode and encode ranges name nothing.
CodeKind codeKind(uint8_t code);
// A stored type byte outside 0..3 counts as type 0.
uint8_t validType(uint8_t type);

enum class RowKind { Key, FixedInput, PortInput, FixedOutput, PortOutput };

// One remote-control row: what it is, its number (1-based) and where its entry is.
struct RemoteRow {
    RowKind kind;
    int number;
    std::size_t entry; // activation, deactivation, type
};

// The rows in use: the six keys, the fixed inputs, the ports in input mode, the fixed
// outputs, the ports in output mode (in that order).
std::vector<RemoteRow> remoteRows(std::span<const uint8_t> main);
// Every possible row, used or not.
std::vector<RemoteRow> allRemoteRows();

bool isOutput(RowKind kind);
// The function code of a row: u16 for keys and inputs, the output function byte for outputs.
uint16_t rowFunction(std::span<const uint8_t> main, const RemoteRow& row);
// Where an output row's level byte is; nothing for keys and inputs.
std::optional<std::size_t> outputLevelOffset(const RemoteRow& row);

bool rowEnabled(std::span<const uint8_t> main, const RemoteRow& row);
// Whether an input row with no function leaves its type alone; outputs with none likewise.
bool typeEnabled(std::span<const uint8_t> main, const RemoteRow& row);
bool outputLevelEnabled(std::span<const uint8_t> main, const RemoteRow& row);
bool deactivationAllowed(std::span<const uint8_t> main, const RemoteRow& row);
// The kind of code the row's activation and deactivation take.
CodeKind rowCodeKind(std::span<const uint8_t> main, const RemoteRow& row);
// The type values 0..3 the row offers.
std::vector<uint8_t> typeChoices(std::span<const uint8_t> main, const RemoteRow& row);

// Brings every used row in line with its function: resets the entry of a disabled row or
// one holding a code of the wrong kind, and clears the deactivation code of an input whose
// function takes none. Returns true when anything changed.
bool repairRemoteControl(std::span<uint8_t> main);

} // namespace rps::remote
