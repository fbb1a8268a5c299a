#pragma once
// A transfer wired to the in-process simulated repeater, with a dialog service that answers
// in advance and remembers what it was asked, and a language table whose text N reads "T<N>".
#include "LinkRig.h"

#include "link/Transfers.h"
#include "texts/LanguageTable.h"
#include "texts/RecordingDialogs.h"

#include <deque>
#include <functional>
#include <string>

namespace rps::test {

inline const LanguageTable& numberedTexts()
{
    static const LanguageTable table = [] {
        std::string file = "*Language,English\n";
        for (int i = 0; i < static_cast<int>(kLanguageTextCount); ++i) {
            char key[16];
            std::snprintf(key, sizeof key, "%08d", languageKey(i));
            file += std::string("^#") + key + ",T" + std::to_string(i) + "\n";
        }
        LanguageTable t;
        t.loadText(file, "English");
        return t;
    }();
    return table;
}

inline std::string T(int n)
{
    return "T" + std::to_string(n);
}

struct TransferRig : LinkRig {
    explicit TransferRig(sim::SimConfig config = {}, sim::SimMemory memory = sim::defaultMemory(0x0400))
        : LinkRig(std::move(config), std::move(memory)), context{link,
                                                                 dialogs,
                                                                 numberedTexts(),
                                                                 [this](int step, int total) { steps.emplace_back(step, total); },
                                                                 nullptr,
                                                                 InstallationId{},
                                                                 nullptr}
    {
    }

    const std::vector<std::string>& messageTexts() const { return dialogs.messages; }

    RecordingDialogs dialogs;
    std::vector<std::pair<int, int>> steps;
    TransferContext context;
};

} // namespace rps::test
