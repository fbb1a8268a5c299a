#include "app/ProtectCodec.h"
#include "app/SecurityRules.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <gtest/gtest.h>

#include <deque>

namespace rps {
namespace {

const InstallationId kId{0x11, 0x22, 0x33, 0x44, 0x55, 0x66, 0x77, 0x88, 0x99, 0xAA, 0xBB, 0xCC};

TEST(ProtectCodec, RoundTripsEveryPasswordShape)
{
    for (const StoredPassword& stored :
         {StoredPassword{"0", false}, StoredPassword{"9", true}, StoredPassword{"123456", true},
          StoredPassword{"000000", false}, StoredPassword{"42", true}}) {
        const std::string text = encodeProtect(stored, kId);
        EXPECT_EQ(text.size(), 20u);
        EXPECT_EQ(decodeProtect(text, kId), stored) << stored.password;
    }
    EXPECT_EQ(decodeProtect(encodeProtect({}, kId), kId), StoredPassword{});
}

TEST(ProtectCodec, NoPasswordIsTheMarkerMixedWithTheInstallation)
{
    // '4' 'Q' 'u' 'a' 'r' 't' 'z' XOR bytes 5..11 of the identifier.
    EXPECT_EQ(encodeProtect({}, kId), "52:26:FD:F8:D8:CF:B6");
    // Values that cannot be stored read back as no password at all.
    EXPECT_EQ(encodeProtect({"1234567", true}, kId), encodeProtect({}, kId));
    EXPECT_EQ(encodeProtect({"12a", true}, kId), encodeProtect({}, kId));
}

TEST(ProtectCodec, ValueFromAnotherInstallationOrDamagedMeansNoPassword)
{
    const std::string text = encodeProtect({"2468", true}, kId);
    InstallationId other = kId;
    other[7] ^= 0x01;
    EXPECT_EQ(decodeProtect(text, other), StoredPassword{});

    for (const char* damaged : {"", "garbage", "00:00:00:00:00:00:00", "FF:FF:FF:FF:FF:FF:FF",
                                "52:27:02:E9:EB:DE", "52:27:02:E9:EB:DE:B6:00"}) {
        EXPECT_EQ(decodeProtect(damaged, kId), StoredPassword{}) << damaged;
    }
    // A digit after the end of the password, or a first byte that is neither "0" nor "1":
    // not a password anybody could have set.
    const std::string one = encodeProtect({"1", false}, kId);
    const std::string four = encodeProtect({"1234", true}, kId);
    std::string gap = one;
    gap.replace(3 * 3, 2, four.substr(3 * 3, 2));
    EXPECT_EQ(decodeProtect(gap, kId), StoredPassword{});
    std::string badFlag = four;
    badFlag.replace(0, 2, four.substr(3, 2));
    EXPECT_EQ(decodeProtect(badFlag, kId), StoredPassword{});
}

TEST(SecurityRules, DialogAcceptance)
{
    EXPECT_EQ(checkSecurityEntry({"", "", false, true}).refusalText, 821);
    EXPECT_EQ(checkSecurityEntry({"", "", true, false}).refusalText, 821);
    const SecurityVerdict differs = checkSecurityEntry({"123456", "123457", true, false});
    EXPECT_EQ(differs.refusalText, 822);
    EXPECT_TRUE(differs.focusConfirmation);
    EXPECT_EQ(checkSecurityEntry({"123456", "123456", true, true}).refusalText, 0);
    EXPECT_EQ(checkSecurityEntry({"12", "99", false, false}).refusalText, 0);
}

// Answers password questions from a script and records the messages shown.
class ScriptedDialogs : public DialogService {
public:
    std::deque<std::optional<std::string>> answers;
    std::vector<std::string> messages;
    int questions = 0;

    MessageAnswer showMessage(const MessageRequest& request) override
    {
        messages.push_back(request.text);
        return MessageAnswer::Ok;
    }
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> askPassword(const std::string&, const std::string&, int maxLength) override
    {
        EXPECT_EQ(maxLength, 6);
        ++questions;
        if (answers.empty()) {
            return std::nullopt;
        }
        auto answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

std::string languageFileWith793()
{
    std::string file = "*Language,English\n";
    for (int i = 0; i < static_cast<int>(kLanguageTextCount); ++i) {
        char key[16];
        std::snprintf(key, sizeof key, "%08d", languageKey(i));
        file += std::string("^#") + key + "," + (i == 793 ? "wrong password" : "t") + "\n";
    }
    return file;
}

TEST(SecurityRules, StartupPasswordQuestion)
{
    LanguageTable texts;
    ASSERT_EQ(texts.loadText(languageFileWith793(), "English"), LanguageLoadResult::Ok);
    const SecuritySettings protectedRun{"0815", true, false};

    ScriptedDialogs twoWrong;
    twoWrong.answers = {"1111", "", "0815"};
    EXPECT_TRUE(passesStartupPasswordCheck(protectedRun, texts, twoWrong));
    EXPECT_EQ(twoWrong.messages, (std::vector<std::string>{"wrong password", "wrong password"}));

    ScriptedDialogs threeWrong;
    threeWrong.answers = {"1", "2", "3", "0815"};
    EXPECT_FALSE(passesStartupPasswordCheck(protectedRun, texts, threeWrong));
    EXPECT_EQ(threeWrong.questions, 3);

    ScriptedDialogs cancelled;
    cancelled.answers = {"1", std::nullopt};
    EXPECT_FALSE(passesStartupPasswordCheck(protectedRun, texts, cancelled));

    ScriptedDialogs notAsked;
    EXPECT_TRUE(passesStartupPasswordCheck({"0815", false, true}, texts, notAsked));
    EXPECT_EQ(notAsked.questions, 0);
}

} // namespace
} // namespace rps
