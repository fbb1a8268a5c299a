#include "print/PagePlan.h"

#include "forms/signalling/UserFields.h"
#include "model/records/ChannelLayout.h"
#include "model/records/ChannelStore.h"
#include "print/PrintSelection.h"

#include <algorithm>

namespace rps::print {

namespace {

// Pages of `count` things at `perPage` a page, each page naming its things.
void addGroups(std::vector<PageEntry>& pages, PageKind kind, const std::vector<int>& things, int perPage)
{
    const int count = static_cast<int>(things.size());
    const int pageCount = (count + perPage - 1) / perPage;
    for (int page = 0; page < pageCount; ++page) {
        PageEntry entry{kind, page, pageCount, {}};
        for (int i = page * perPage; i < std::min(count, (page + 1) * perPage); ++i)
            entry.items.push_back(things[static_cast<std::size_t>(i)]);
        pages.push_back(std::move(entry));
    }
}

void addFixed(std::vector<PageEntry>& pages, PageKind kind, int count)
{
    for (int page = 0; page < count; ++page)
        pages.push_back({kind, page, count, {}});
}

} // namespace

ReportContent reportContent(ConfigImage& image, int startChannel, int endChannel)
{
    ReportContent content;
    const ChannelStore store(image);
    for (int channel = startChannel - 1; channel <= endChannel - 1 && channel < kChannelCount; ++channel) {
        if (channel < 0 || !store.isProgrammed(channel))
            continue;
        content.channels.push_back(channel);
        if (store.record(channel)[ChannelField::kCwId] == 1)
            content.cwIdChannels.push_back(channel);
    }
    for (int table = 1; table <= kMultiTableCount; ++table) {
        if (store.multiTableCount(table, kTypeMixed) > 0)
            content.multiTables.push_back(table);
    }
    const signalling::UserRecords records(image.main());
    const signalling::UserRules rules(records);
    content.users = {rules.usedCount(0), rules.usedCount(1)};
    return content;
}

int userRowsPerColumn(Orientation orientation)
{
    return orientation == Orientation::Portrait ? 35 : 20;
}

std::vector<PageEntry> buildPagePlan(uint32_t flags, Orientation orientation, const ReportContent& content)
{
    const bool portrait = orientation == Orientation::Portrait;
    std::vector<PageEntry> pages;
    const auto fixed = [&](Flag flag, PageKind kind, int count) {
        if (flags & flag)
            addFixed(pages, kind, count);
    };
    fixed(kProduct, PageKind::Product, 1);
    fixed(kFeatures, PageKind::Features, portrait ? 5 : 4);
    fixed(kKey, PageKind::Key, 1);
    fixed(kScan, PageKind::Scan, 1);
    fixed(kDtmf, PageKind::Dtmf, 1);
    fixed(kNxdn, PageKind::Nxdn, 1);
    fixed(kEncDec, PageKind::EncDec, 2);
    fixed(kRemote, PageKind::Remote, portrait ? 2 : 3);
    fixed(kPort, PageKind::Port, 2);
    if (flags & kMulti)
        addGroups(pages, PageKind::Multi, content.multiTables, portrait ? 2 : 1);
    fixed(kCwMessage, PageKind::CwMessage, 1);
    if (flags & kUsers) {
        const int perPage = 2 * userRowsPerColumn(orientation);
        std::vector<PageEntry> users;
        for (int list = 0; list < 2; ++list) {
            const int count = content.users[static_cast<std::size_t>(list)];
            for (int first = 0; first < count; first += perPage)
                users.push_back({PageKind::Users, 0, 0, {list, first, std::min(perPage, count - first)}});
        }
        for (std::size_t i = 0; i < users.size(); ++i) {
            users[i].sub = static_cast<int>(i);
            users[i].ofKind = static_cast<int>(users.size());
            pages.push_back(std::move(users[i]));
        }
    }
    fixed(kTestFrequency, PageKind::TestFrequency, 1);
    fixed(kAdvanced, PageKind::Advanced, 1);
    if (flags & kChannels) {
        addGroups(pages, PageKind::Channels, content.channels, 2);
        if (flags & kCwId)
            addGroups(pages, PageKind::CwId, content.cwIdChannels, portrait ? 4 : 3);
    }
    // A report has at least one page: the header blocks.
    if (pages.empty())
        pages.push_back({PageKind::Empty, 0, 1, {}});
    return pages;
}

} // namespace rps::print
