// The problems that keep data from being written.
#include "TransferRig.h"

#include "link/WriteProblems.h"
#include "model/ByteOrder.h"

#include <gtest/gtest.h>

namespace rps::test {
namespace {

struct Areas {
    Areas()
    {
        main.fill(0xFF);
        aux.fill(0xFF);
    }
    void programChannel(int channel, std::size_t record)
    {
        setU16(main, 2 * static_cast<std::size_t>(channel), static_cast<uint16_t>(record));
    }
    std::vector<int> problems() const { return findWriteProblems(main, aux); }
    MainArea main;
    AuxArea aux;
};

TEST(WriteProblems, CleanDataHasNone)
{
    Areas a;
    a.programChannel(0, 0x1000);
    EXPECT_TRUE(a.problems().empty());
}

TEST(WriteProblems, PriorityScanWithoutPriorityChannel)
{
    Areas a;
    a.main[0x2B0] = '0';
    EXPECT_EQ(a.problems(), std::vector<int>{1168});
    a.main[0x2B6] = 3;
    EXPECT_TRUE(a.problems().empty());
}

TEST(WriteProblems, DigitalChannelsNeedAUnitId)
{
    Areas a;
    a.programChannel(4, 0x1080);
    a.main[0x1080 + 35] = 2; // mixed
    EXPECT_EQ(a.problems(), std::vector<int>{1030});
    setU16(a.main, 0x420, 0x0001);
    EXPECT_TRUE(a.problems().empty());
    setU16(a.main, 0x420, 0xFFFF);
    a.main[0x1080 + 35] = 0; // analog
    EXPECT_TRUE(a.problems().empty());
}

TEST(WriteProblems, EncryptionWithoutKeyOnlyForProgrammedChannels)
{
    Areas a;
    a.aux[0x10] = 0x00; // encryption on for channels 1..8
    EXPECT_TRUE(a.problems().empty()) << "no record is behind an empty index entry";
    a.programChannel(2, 0x1100);
    EXPECT_EQ(a.problems(), std::vector<int>{936});
    setU16(a.main, 0x1100 + 42, 0x1234);
    EXPECT_TRUE(a.problems().empty());
    a.programChannel(9, 0x6000); // an entry outside the channel area names no record
    a.aux[0x11] = 0x00;
    EXPECT_TRUE(a.problems().empty());
}

TEST(WriteProblems, AllThreeInOrderWithTheirHeading)
{
    Areas a;
    a.main[0x2B0] = '0';
    a.programChannel(0, 0x1000);
    a.main[0x1000 + 35] = 1;
    a.aux[0x10] = 0xFE;
    const std::vector<int> problems = a.problems();
    EXPECT_EQ(problems, (std::vector<int>{1168, 1030, 936}));
    EXPECT_EQ(writeProblemsText(problems, numberedTexts()), "T574\n\n\"T1168\"\n\"T1030\"\n\"T936\"\n");
}

} // namespace
} // namespace rps::test
