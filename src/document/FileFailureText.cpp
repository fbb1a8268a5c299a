#include "document/FileFailureText.h"

#include "texts/TextArguments.h"

#include <filesystem>
#include <system_error>

namespace rps {

namespace {
constexpr int kPathAndReason = 1261; // "%s: %s"
constexpr int kEndedEarly = 1340;
} // namespace

std::string fileFailureLine(const LanguageTable& texts, const std::string& path, int systemError,
                            bool endedEarly)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    const std::string shown = error ? path : absolute.lexically_normal().string();
    std::string reason;
    if (systemError != 0)
        reason = std::generic_category().message(systemError);
    else if (endedEarly)
        reason = texts.text(kEndedEarly);
    const std::string& pattern = texts.text(kPathAndReason);
    return reason.empty() ? shown : fillTextArguments(pattern.empty() ? "%s: %s" : pattern, {shown, reason});
}

std::string withFileFailure(const std::string& message, const LanguageTable& texts, const std::string& path,
                            int systemError, bool endedEarly)
{
    return message + "\n" + fileFailureLine(texts, path, systemError, endedEarly);
}

std::string saveFailureLine(const LanguageTable& texts, const std::string& what, const std::string& path,
                            int systemError)
{
    return what + " cannot be saved: " + fileFailureLine(texts, path, systemError);
}

} // namespace rps
