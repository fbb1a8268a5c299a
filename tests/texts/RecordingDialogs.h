#pragma once
// A dialog service answered in advance that remembers what it was asked: every message (its
// text, caption, buttons, kind and detail) and every password prompt. An unanswered message
// takes OK, and a Retry/Cancel question Cancel, so that a failed command is not repeated for
// ever; an unanswered password prompt is cancelled.
#include "texts/DialogService.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace rps::test {

struct AskedMessage {
    std::string text;
    std::string caption;
    MessageButtons buttons;
    QuestionKind kind;
    std::string detail;
};

class RecordingDialogs : public DialogService {
public:
    MessageAnswer showMessage(const MessageRequest& request) override
    {
        asked.push_back({request.text, request.caption, request.buttons, request.kind, request.detail});
        messages.push_back(request.text);
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
    std::vector<std::string> messages; // the texts of asked, for tests that look only at the words
    std::vector<std::string> prompts;
};

} // namespace rps::test
