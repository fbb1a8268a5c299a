#pragma once
// Pieces shared by the transfers: the message boxes and the ways a failed transfer ends.
#include "link/Transfers.h"

namespace rps::transfer {

void showError(TransferContext& context, int text);
// Leaves the mode and closes the port; the result is always failure.
int leaveAndClose(TransferContext& context);
// The error box, then leave and close.
int failLeaveClose(TransferContext& context, int text);
// The error box, then the write is abandoned (0xE7) and the port closed.
int failAbandonClose(TransferContext& context, int text);
// The write is abandoned (0xE7) and the port closed; the result is always failure.
int abandonAndClose(TransferContext& context);
// True when the user asked the transfer to stop.
bool interrupted(const TransferContext& context);
void progress(TransferContext& context, int step, int total);
void repaint(TransferContext& context);
// Closes and reopens the port; error box 772 when it cannot be opened.
bool reopenPort(TransferContext& context);
// The port opened afresh and the repeater in programming mode: kLinkOk, or kLinkFailed once
// the user was told (the port, or no answer) and the port is closed.
int enterProgramSession(TransferContext& context);

} // namespace rps::transfer
