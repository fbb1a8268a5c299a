#pragma once
// A transfer wired to the in-process simulated repeater, with a dialog service that answers
// in advance and remembers what it was asked, and a language table whose text N reads "T<N>".
#include "LinkRig.h"

#include "link/Transfers.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <deque>
#include <functional>
#include <string>

namespace rps::test {

struct AskedMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    QuestionKind kind;
    std::string detail;
};

class ScriptedDialogs : public DialogService {
public:
    MessageAnswer showMessage(const MessageRequest& request) override
    {
        asked.push_back({request.text, request.caption, request.buttons, request.kind, request.detail});
        // Unanswered, a failed command is not repeated for ever.
        if (answers.empty())
            return request.buttons == MessageButtons::RetryCancel ? MessageAnswer::Cancel : MessageAnswer::Ok;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> askPassword(const std::string&, const std::string& prompt, int) override
    {
        prompts.push_back(prompt);
        if (whileAsking)
            whileAsking();
        if (passwords.empty())
            return std::nullopt;
        std::optional<std::string> typed = passwords.front();
        passwords.pop_front();
        return typed;
    }

    std::deque<MessageAnswer> answers;
    std::deque<std::optional<std::string>> passwords;
    std::function<void()> whileAsking; // the person at the keyboard takes their time
    std::vector<AskedMessage> asked;
    std::vector<std::string> prompts;
};

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

    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const AskedMessage& m : dialogs.asked)
            texts.push_back(m.text);
        return texts;
    }

    ScriptedDialogs dialogs;
    std::vector<std::pair<int, int>> steps;
    TransferContext context;
};

} // namespace rps::test
