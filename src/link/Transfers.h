#pragma once
// The read and write transfers that move the configuration image between the application
// and a repeater. Each runs start to end on the calling thread, reports progress as
// (step, total), asks its questions through the dialog service and reports every failure
// with one message box; the port is closed at the end on every path.
#include "link/RadioLink.h"
#include "link/ReadBack.h"
#include "model/ConfigImage.h"
#include "model/InstallationId.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <functional>

namespace rps {

inline constexpr int kReadSteps = 167;
inline constexpr int kWriteSteps = 165;
inline constexpr int kReadBackSteps = 164; // 160 blocks and the four auxiliary windows written
inline constexpr int kTransferCloseFailed = 2;

struct TransferContext {
    RadioLink& link;
    DialogService& dialogs;
    const LanguageTable& texts;
    std::function<void(int step, int total)> progress;
    std::function<void()> repaint; // the dialog and the main window, after an auxiliary failure
    InstallationId installationId{};
    // True when the user wants the transfer stopped (Ctrl+C on the command line). Seen between
    // protocol steps: the transfer then leaves the mode, or abandons a prepared write, and fails
    // without a message.
    std::function<bool()> interrupted;
};

// The 32-byte unit record ("URK") a read takes; bytes 16..27 are the serial number.
using UnitRecord = std::array<uint8_t, 32>;

// Fills the snapshot copy from the repeater; the working copy is not touched. 0 = read
// completed (the caller then replaces the image), 1 = failed, 2 = the port did not close.
// unit, when given, receives the repeater's unit record.
int runReadTransfer(TransferContext& context, ConfigImage& image, UnitRecord* unit = nullptr);

struct WriteOptions {
    bool setClock = false; // "Adjustment Time": send the PC's clock after the data
    // Read the written blocks and windows back in the same session and compare them with what
    // was sent; any difference fails the write with one error box naming blocks and fields.
    bool verify = false;
    FieldNameLookup fieldName = {}; // may be empty
};

// Sends the working copy (stamped with version and checksum) to the repeater. 0 = written
// (and, with verify, read back equal), 1 = failed, cancelled or read back different,
// 2 = leaving the mode or closing the port failed.
int runWriteTransfer(TransferContext& context, ConfigImage& image, const WriteOptions& options);

// The six password bytes of a typed entry: letters and digits only, blank-padded to six;
// an empty entry is six 0xFF.
PasswordBytes passwordBytes(std::string_view typed);

} // namespace rps
