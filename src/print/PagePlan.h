#pragma once
// The numbered pages of a report: which sections, in which order, how many pages each, for
// portrait and landscape paper. The counts that depend on the data (programmed channels, CW
// IDs, multi tables in use, user records) are read from the image once, as ReportContent.
#include "model/ConfigImage.h"

#include <array>
#include <cstdint>
#include <vector>

namespace rps::print {

enum class Orientation { Portrait, Landscape };

enum class PageKind {
    Empty, // the header blocks only: nothing selected comes to a page
    Product,
    Features,
    Key,
    Scan,
    Dtmf,
    Nxdn,
    EncDec,
    Remote,
    Port,
    Multi,
    CwMessage,
    Users,
    TestFrequency,
    Advanced,
    Channels,
    CwId,
    TestMode,
    RadioInformation,
};

// One page: its kind, its place among the pages of that kind (0-based) and of how many, and
// what it holds: channels (0-based) for channel and CW ID pages, table numbers (1-15) for
// multi table pages, {list, first sorted record, records} for user record pages.
struct PageEntry {
    PageKind kind = PageKind::Empty;
    int sub = 0;
    int ofKind = 1;
    std::vector<int> items;
};

struct ReportContent {
    std::vector<int> channels;     // programmed channels of the range, 0-based
    std::vector<int> cwIdChannels; // those with CW ID on
    std::vector<int> multiTables;  // tables (1-15) with analog or NXDN entries
    std::array<int, 2> users{};    // records holding an ID in list 1 and list 2
};

ReportContent reportContent(ConfigImage& image, int startChannel, int endChannel);

// User records on one page: two columns of 35 (portrait) or 20 (landscape) rows.
int userRowsPerColumn(Orientation orientation);

std::vector<PageEntry> buildPagePlan(uint32_t flags, Orientation orientation, const ReportContent& content);

} // namespace rps::print
