// The page plan: which sections come to how many pages on portrait and landscape paper, and
// the data-dependent counts read from the image.
#include "print/PagePlan.h"
#include "forms/ChannelTestImage.h"
#include "model/ImageMap.h"
#include "model/records/ChannelLayout.h"
#include "print/PrintSelection.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace rps::print {
namespace {

using test::ChannelTestImage;

int pagesOf(const std::vector<PageEntry>& plan, PageKind kind)
{
    return static_cast<int>(
        std::count_if(plan.begin(), plan.end(), [kind](const PageEntry& page) { return page.kind == kind; }));
}

ReportContent usersInLists(int first, int second)
{
    ReportContent content;
    content.users = {first, second};
    return content;
}

TEST(PagePlan, HeaderBlocksAloneOrSectionsWithNothingToPrintGiveOnePage)
{
    ReportContent nothing;
    for (uint32_t flags : {uint32_t{kModel}, uint32_t{0}, uint32_t{kChannels | kCwId | kUsers | kMulti}}) {
        const auto plan = buildPagePlan(flags, Orientation::Portrait, nothing);
        ASSERT_EQ(plan.size(), 1u) << flags;
        EXPECT_EQ(plan[0].kind, PageKind::Empty);
    }
}

TEST(PagePlan, FixedSectionsFollowTheOrderAndTheOrientation)
{
    const ReportContent nothing;
    const uint32_t fixedSections = kProduct | kFeatures | kKey | kScan | kDtmf | kNxdn | kEncDec | kRemote |
                                   kPort | kCwMessage | kTestFrequency | kAdvanced;
    const auto portrait = buildPagePlan(fixedSections | kModel, Orientation::Portrait, nothing);
    const auto landscape = buildPagePlan(fixedSections, Orientation::Landscape, nothing);
    EXPECT_EQ(portrait.size(), 1u + 5 + 1 + 1 + 1 + 1 + 2 + 2 + 2 + 1 + 1 + 1);
    EXPECT_EQ(landscape.size(), portrait.size() - 1 + 1);
    EXPECT_EQ(pagesOf(portrait, PageKind::Features), 5);
    EXPECT_EQ(pagesOf(landscape, PageKind::Features), 4);
    EXPECT_EQ(pagesOf(portrait, PageKind::Remote), 2);
    EXPECT_EQ(pagesOf(landscape, PageKind::Remote), 3);
    const std::vector<PageKind> order{PageKind::Product,   PageKind::Features,      PageKind::Key,
                                      PageKind::Scan,      PageKind::Dtmf,          PageKind::Nxdn,
                                      PageKind::EncDec,    PageKind::Remote,        PageKind::Port,
                                      PageKind::CwMessage, PageKind::TestFrequency, PageKind::Advanced};
    std::vector<PageKind> seen;
    for (const PageEntry& page : portrait) {
        if (seen.empty() || seen.back() != page.kind)
            seen.push_back(page.kind);
    }
    EXPECT_EQ(seen, order);
    EXPECT_EQ(portrait[1].sub, 0);
    EXPECT_EQ(portrait[5].sub, 4);
    EXPECT_EQ(portrait[5].ofKind, 5);
}

TEST(PagePlan, ChannelsTwoAPageAndCwIdFourOrThreeAPage)
{
    ReportContent content;
    content.channels = {0, 2, 3, 6, 10, 20, 29};
    content.cwIdChannels = {0, 2, 3, 6};
    const auto portrait = buildPagePlan(kChannels | kCwId, Orientation::Portrait, content);
    EXPECT_EQ(pagesOf(portrait, PageKind::Channels), 4);
    EXPECT_EQ(pagesOf(portrait, PageKind::CwId), 1);
    EXPECT_EQ(portrait[3].items, std::vector<int>{29});
    EXPECT_EQ(portrait[4].items, (std::vector<int>{0, 2, 3, 6}));
    const auto landscape = buildPagePlan(kChannels | kCwId, Orientation::Landscape, content);
    EXPECT_EQ(pagesOf(landscape, PageKind::CwId), 2);
    // CW ID is printed only with the channel information.
    EXPECT_EQ(pagesOf(buildPagePlan(kCwId, Orientation::Portrait, content), PageKind::CwId), 0);
}

TEST(PagePlan, UserRecordsPerListInTwoColumns)
{
    const auto pages = [](int first, int second, Orientation orientation) {
        return pagesOf(buildPagePlan(kUsers, orientation, usersInLists(first, second)), PageKind::Users);
    };
    EXPECT_EQ(pages(71, 0, Orientation::Portrait), 2);
    EXPECT_EQ(pages(71, 0, Orientation::Landscape), 2);
    EXPECT_EQ(pages(41, 0, Orientation::Portrait), 1);
    EXPECT_EQ(pages(41, 0, Orientation::Landscape), 2);
    EXPECT_EQ(pages(70, 1, Orientation::Portrait), 2);
    EXPECT_EQ(pages(1000, 1000, Orientation::Landscape), 50);
    const auto plan = buildPagePlan(kUsers, Orientation::Portrait, usersInLists(71, 3));
    ASSERT_EQ(plan.size(), 3u);
    EXPECT_EQ(plan[1].items, (std::vector<int>{0, 70, 1}));
    EXPECT_EQ(plan[2].items, (std::vector<int>{1, 0, 3}));
}

TEST(PagePlan, MultiTablesTwoAPagePortraitOneLandscape)
{
    ReportContent content;
    content.multiTables = {2, 5, 9};
    const auto portrait = buildPagePlan(kMulti, Orientation::Portrait, content);
    ASSERT_EQ(portrait.size(), 2u);
    EXPECT_EQ(portrait[0].items, (std::vector<int>{2, 5}));
    EXPECT_EQ(buildPagePlan(kMulti, Orientation::Landscape, content).size(), 3u);
}

TEST(ReportContent, ReadsProgrammedChannelsCwIdMultiTablesAndUsersFromTheImage)
{
    ChannelTestImage image;
    for (int channel : {0, 4, 5, 9})
        image.program(channel, "150.000");
    image.record(4)[ChannelField::kCwId] = 1;
    image.record(9)[ChannelField::kCwId] = 1;
    image.record(5)[ChannelField::kCwId] = 0;
    auto main = image.image.main();
    std::fill_n(main.begin() + kMultiAnalogCountOffset, 15, 0xFF);
    std::fill_n(main.begin() + kMultiNxdnCountOffset, 15, 0xFF);
    main[kMultiAnalogCountOffset + 1] = 3; // table 2: analog entries
    main[kMultiNxdnCountOffset + 8] = 1;   // table 9: NXDN entries only
    main[0x9000 + 2] = 0x10;               // list 1: one ID
    main[0x9000 + 3] = 0x00;

    const ReportContent content = reportContent(image.image, 2, 10);
    EXPECT_EQ(content.channels, (std::vector<int>{4, 5, 9}));
    EXPECT_EQ(content.cwIdChannels, (std::vector<int>{4, 9}));
    EXPECT_EQ(content.multiTables, (std::vector<int>{2, 9}));
    EXPECT_EQ(content.users[0], 1);
    EXPECT_EQ(content.users[1], 0);
    EXPECT_EQ(reportContent(image.image, 7, 8).channels, std::vector<int>{});
    // Both ends of the range count: its first and its last channel.
    EXPECT_EQ(reportContent(image.image, 1, 1).channels, std::vector<int>{0});
    EXPECT_EQ(reportContent(image.image, 5, 6).channels, (std::vector<int>{4, 5}));
    EXPECT_EQ(reportContent(image.image, 10, 30).cwIdChannels, std::vector<int>{9});
}

} // namespace
} // namespace rps::print
