#pragma once
// Process-wide options set once by the command line and never changed afterwards.
namespace rps {

struct AppOptions {
    bool memoryMap = false;      // "memmap": the forms offer their memory-map windows
    bool supportUtility = false; // "SupportUtility": support utility and the debugging library
    bool demo = false;           // "demo": test mode, tuning and service dialogs run without a repeater
    bool fineStep = false;       // "step": VHF frequencies may use the 1,250 Hz step
};

} // namespace rps
