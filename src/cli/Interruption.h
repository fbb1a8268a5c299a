#pragma once
// Ctrl+C (SIGINT), SIGTERM and a hung-up terminal (SIGHUP) while rps360t-cli talks to a
// repeater. The handler only notes the signal; the transfer sees the note between protocol
// steps and leaves (or abandons) programming mode on its normal path, and a prompt waiting on
// the terminal (waitForInput) returns with the terminal's echo restored. Without the note a killed transfer
// would leave the repeater in programming mode and the terminal silent.
namespace rps::cli {

class InterruptionScope {
public:
    InterruptionScope();  // notes the three signals from here on
    ~InterruptionScope(); // their previous handling again
    InterruptionScope(const InterruptionScope&) = delete;
    InterruptionScope& operator=(const InterruptionScope&) = delete;
};

// True once one of the signals arrived inside a scope.
bool interruptionRequested();
// Waits until fd has something to read (or its end); false when one of the signals arrived
// first. A signal that comes just before the wait is not missed.
bool waitForInput(int fd);
// The exit code of a run that a signal ended: 128 plus the signal's number, as a shell reports it.
int interruptionExitCode();

} // namespace rps::cli
