#pragma once
// A dialog service answered in advance: every question, file choice and password prompt
// takes the next scripted answer and is recorded for the test to inspect.
#include "texts/DialogService.h"

#include <deque>
#include <string>
#include <vector>

namespace rps::test {

class ScriptedDialogs : public DialogService {
public:
    std::deque<MessageAnswer> answers; // an empty queue answers Cancel (or Ok for a plain box)
    std::deque<std::optional<std::string>> openFiles;
    std::deque<std::optional<std::string>> saveFiles;
    std::deque<std::optional<std::string>> passwords;
    std::vector<MessageRequest> messages;
    std::vector<std::string> passwordCaptions;

    MessageAnswer showMessage(const MessageRequest& request) override
    {
        messages.push_back(request);
        if (answers.empty())
            return request.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::Cancel;
        const MessageAnswer answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return next(openFiles); }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return next(saveFiles); }
    std::optional<std::string> askPassword(const std::string& caption, const std::string&, int) override
    {
        passwordCaptions.push_back(caption);
        return next(passwords);
    }

    std::vector<std::string> messageTexts() const
    {
        std::vector<std::string> texts;
        for (const MessageRequest& request : messages)
            texts.push_back(request.text);
        return texts;
    }

private:
    static std::optional<std::string> next(std::deque<std::optional<std::string>>& queue)
    {
        if (queue.empty())
            return std::nullopt;
        auto value = queue.front();
        queue.pop_front();
        return value;
    }
};

} // namespace rps::test
