// The embedded messages: lines as the forms store them, and the protected write and the
// password change against the simulated repeater, the dialogs answered in advance.
#include "link/ProtectedMessage.h"
#include "../../link/TransferRig.h"
#include "forms/FieldForms.h"
#include "forms/signalling/MessageFields.h"
#include "model/DefaultBuilder.h"
#include "model/ImageMap.h"
#include "model/ModelBlock.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace rps;
using namespace rps::fields;

namespace {

using Bytes = std::vector<uint8_t>;
const PasswordBytes kNone{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
const PasswordBytes kAb12{'a', 'b', '1', '2', 0, 0};
const std::string kFull = "0123456789ABCDEFGHIJ abcdefghij!"; // 32 characters

sim::SimConfig withMessagePassword(const PasswordBytes& password)
{
    sim::SimConfig config;
    config.messagePassword = password;
    return config;
}

class ProtectedMessageTest : public ::testing::Test {
protected:
    void makeImage()
    {
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        InstallationId none{};
        none.fill(0xFF);
        newImage(image, none);
    }
    EditResult enter(const char* form, std::string_view key, std::string_view text)
    {
        const DeclaredForm* declared = findDeclaredForm(form);
        auto session =
            declared->open(image, FieldEnv{[](int n) { return "T" + std::to_string(n); }, {}, '.'});
        const auto field = findField(*declared, session->engine(), key);
        EXPECT_TRUE(field) << key;
        return field ? enterFieldText(session->engine(), *field, text) : EditResult{};
    }
    Bytes aux(std::size_t offset, std::size_t size)
    {
        return Bytes(image.aux().begin() + static_cast<long>(offset),
                     image.aux().begin() + static_cast<long>(offset + size));
    }
    static Bytes radio(const test::TransferRig& rig, uint16_t address, std::size_t size)
    {
        const auto& memory = rig.repeater.memory().memory;
        return Bytes(memory.begin() + address, memory.begin() + address + static_cast<long>(size));
    }
    static int count(const std::vector<std::string>& texts, int number)
    {
        return static_cast<int>(std::count(texts.begin(), texts.end(), test::T(number)));
    }

    ConfigImage image;
};

TEST_F(ProtectedMessageTest, LinesArePrintableAsciiOneByteACharacterPaddedWithZeros)
{
    makeImage();
    EXPECT_TRUE(enter("message", "message.line-1", kFull).changed);
    EXPECT_EQ(Bytes(image.main().begin() + kEmbeddedMessageOffset,
                    image.main().begin() + kEmbeddedMessageOffset + 32),
              Bytes(kFull.begin(), kFull.end()));
    // Longer is cut at 32 bytes; line 2 is untouched.
    enter("message", "message.line-1", kFull + "XYZ");
    EXPECT_EQ(image.main()[kEmbeddedMessageOffset + 31], '!');
    EXPECT_EQ(image.main()[kEmbeddedMessageOffset + 32], 0x00);

    enter("protected-message", "protected-message.line-2", "Hi  ");
    EXPECT_EQ(aux(0x0420, 4), (Bytes{'H', 'i', 0, 0}));
    enter("protected-message", "protected-message.line-2", std::string(32, ' '));
    EXPECT_EQ(aux(0x0420, 32), Bytes(32, 0x00));

    // A character that is no printable ASCII stores nothing.
    const Bytes before = aux(0x0400, 32);
    EXPECT_TRUE(enter("protected-message", "protected-message.line-1", "caf\xC3\xA9").refused);
    EXPECT_EQ(aux(0x0400, 32), before);
}

TEST_F(ProtectedMessageTest, TheMessagePasswordIsNoField)
{
    makeImage();
    const DeclaredForm* form = findDeclaredForm("protected-message");
    auto session = form->open(image, FieldEnv{});
    std::vector<std::string> keys;
    for (const FieldEntry& entry : listFields(*form, session->engine()))
        keys.push_back(entry.key);
    EXPECT_EQ(keys, (std::vector<std::string>{"protected-message.line-1", "protected-message.line-2"}));
}

TEST_F(ProtectedMessageTest, AWriteToARepeaterWithoutPasswordAsks808First)
{
    makeImage();
    enter("protected-message", "protected-message.line-1", kFull);
    enter("protected-message", "protected-message.line-2", "    ");
    test::TransferRig rig(withMessagePassword(kNone));
    rig.dialogs.answers = {MessageAnswer::No};
    EXPECT_EQ(writeProtectedMessage(rig.context, image), kLinkFailed);
    ASSERT_FALSE(rig.messageTexts().empty());
    EXPECT_EQ(rig.messageTexts().front(), test::T(808));
    EXPECT_TRUE(rig.repeater.memoryWrites().empty());
    EXPECT_FALSE(rig.repeater.inMode());

    rig.dialogs.answers = {MessageAnswer::Yes};
    EXPECT_EQ(writeProtectedMessage(rig.context, image), kLinkOk);
    EXPECT_EQ(rig.repeater.memoryWrites(), (std::vector<sim::MemoryWrite>{{0xFD00, 64}}));
    EXPECT_EQ(radio(rig, 0xFD00, 32), Bytes(kFull.begin(), kFull.end()));
    EXPECT_EQ(radio(rig, 0xFD20, 32), Bytes(32, 0x00));
    EXPECT_EQ(rig.messageTexts().back(), test::T(564));
    EXPECT_FALSE(rig.repeater.inMode());
}

TEST_F(ProtectedMessageTest, ThreeWrongPasswordsCloseTheQuestionWritingNothing)
{
    makeImage();
    test::TransferRig rig(withMessagePassword(kAb12));
    rig.dialogs.passwords = {"wrong1", "wrong2", "ab13", "ab12"};
    EXPECT_EQ(writeProtectedMessage(rig.context, image), kLinkFailed);
    EXPECT_EQ(rig.dialogs.prompts.size(), 3u);
    EXPECT_EQ(count(rig.messageTexts(), 779), 3);
    EXPECT_TRUE(rig.repeater.memoryWrites().empty());
    EXPECT_FALSE(rig.repeater.inMode());

    // The right one on the next try: no 808 question, the lines go out.
    rig.dialogs.asked.clear();
    EXPECT_EQ(writeProtectedMessage(rig.context, image), kLinkOk);
    EXPECT_EQ(count(rig.messageTexts(), 808), 0);
    EXPECT_EQ(rig.repeater.memoryWrites().size(), 1u);
}

TEST_F(ProtectedMessageTest, AnUnequalConfirmationShows822AndWritesNothing)
{
    makeImage();
    std::copy(kAb12.begin(), kAb12.end(), image.aux().begin() + kMessagePasswordAux);
    test::TransferRig rig(withMessagePassword(kAb12));
    // old, new, confirmation; then Cancel.
    rig.dialogs.passwords = {"ab12", "new1", "new2"};
    EXPECT_EQ(changeMessagePassword(rig.context, image), kLinkFailed);
    EXPECT_EQ(count(rig.messageTexts(), 822), 1);
    EXPECT_TRUE(rig.repeater.memoryWrites().empty());
    EXPECT_EQ(radio(rig, 0xFD40, 6), Bytes(kAb12.begin(), kAb12.end()));
    EXPECT_EQ(aux(kMessagePasswordAux, 6), Bytes(kAb12.begin(), kAb12.end()));

    rig.dialogs.passwords = {"ab12", "new1", "new1"};
    EXPECT_EQ(changeMessagePassword(rig.context, image), kLinkOk);
    const Bytes fresh{'n', 'e', 'w', '1', 0, 0};
    EXPECT_EQ(radio(rig, 0xFD40, 6), fresh);
    EXPECT_EQ(aux(kMessagePasswordAux, 6), fresh);
    EXPECT_EQ(rig.messageTexts().back(), test::T(565));
    EXPECT_FALSE(rig.repeater.inMode());
}

TEST_F(ProtectedMessageTest, AWrongOldPasswordThreeTimesChangesNothing)
{
    makeImage();
    test::TransferRig rig(withMessagePassword(kAb12));
    rig.dialogs.passwords = {"x1", "n", "n", "x2", "n", "n", "x3", "n", "n", "ab12", "n", "n"};
    EXPECT_EQ(changeMessagePassword(rig.context, image), kLinkFailed);
    EXPECT_EQ(count(rig.messageTexts(), 568), 3);
    EXPECT_TRUE(rig.repeater.memoryWrites().empty());
}

TEST_F(ProtectedMessageTest, ARepeaterWithoutPasswordIgnoresAStalePasswordOfTheFile)
{
    makeImage();
    const PasswordBytes stale{'z', 'z', '9', 0, 0, 0};
    std::copy(stale.begin(), stale.end(), image.aux().begin() + kMessagePasswordAux);
    test::TransferRig rig(withMessagePassword(kNone));
    // No old password is asked: new and confirmation only. Emptying it again needs no confirmation.
    rig.dialogs.passwords = {"Q7", "Q7"};
    EXPECT_EQ(changeMessagePassword(rig.context, image), kLinkOk);
    EXPECT_EQ(rig.dialogs.prompts, (std::vector<std::string>{test::T(562), test::T(540)}));
    EXPECT_EQ(radio(rig, 0xFD40, 6), (Bytes{'Q', '7', 0, 0, 0, 0}));

    rig.dialogs.prompts.clear();
    rig.dialogs.passwords = {"Q7", ""};
    EXPECT_EQ(changeMessagePassword(rig.context, image), kLinkOk);
    EXPECT_EQ(radio(rig, 0xFD40, 6), Bytes(6, 0xFF));
    EXPECT_EQ(aux(kMessagePasswordAux, 6), Bytes(6, 0xFF));
}

TEST(MessagePassword, TypedAndStoredForms)
{
    EXPECT_EQ(messagePasswordBytes(""), kNone);
    EXPECT_EQ(messagePasswordBytes("ab12"), kAb12);
    EXPECT_EQ(messagePasswordBytes("a-b 1_2xyz"), (PasswordBytes{'a', 'b', '1', '2', 'x', 'y'}));
    EXPECT_EQ(messagePasswordText(kNone), "");
    EXPECT_EQ(messagePasswordText(PasswordBytes{'a', ' ', 'b', 0, 0xFF, 0}), "ab");
}

} // namespace
