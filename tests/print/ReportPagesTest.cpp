// The texts of the report's pages: each body walks the declared form of its section, so every
// field the form lists is printed once, with its caption and the value the form shows.
#include "print/ReportPages.h"
#include "DemoImage.h"
#include "forms/FieldForms.h"
#include "model/ImageMap.h"
#include "print/PrintSelection.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace rps::print {
namespace {

using test::DemoImage;

bool bodyHas(const SectionBody& body, const std::string& text)
{
    for (const TextTable& table : body) {
        for (const auto& row : table.rows) {
            for (const std::string& cell : row) {
                if (cell == text)
                    return true;
            }
        }
    }
    return false;
}

int rowsOf(const SectionBody& body)
{
    int rows = 0;
    for (const TextTable& table : body)
        rows += static_cast<int>(table.rows.size());
    return rows;
}

TEST(ReportPages, AFormOverSeveralPagesPrintsEachFieldOnce)
{
    DemoImage demo;
    for (Orientation orientation : {Orientation::Portrait, Orientation::Landscape}) {
        const ReportPages report(*demo.image, demo.env, kFeatures, 1, 30, orientation);
        const DeclaredForm& form = *findDeclaredForm("features");
        const auto session = form.open(*demo.image, demo.env);
        const auto fields = listFields(form, session->engine());
        int printed = 0;
        SectionBody all;
        for (const PageEntry& page : report.plan()) {
            SectionBody body = report.body(page);
            EXPECT_FALSE(body.empty());
            // A table none of whose rows fall on a page is not on it, not even its title.
            for (const TextTable& table : body)
                EXPECT_FALSE(table.rows.empty()) << table.title << " on page " << page.sub + 1;
            printed += rowsOf(body);
            all.insert(all.end(), body.begin(), body.end());
        }
        EXPECT_EQ(printed, rowsOf(formTables(form, session->engine())));
        for (const FieldEntry& field : fields) {
            const std::string shown = session->engine().shown(*field.row, field.record);
            EXPECT_TRUE(shown.empty() || bodyHas(all, shown)) << field.key;
        }
        // Caption and value as the form shows them.
        const FieldEntry& first = fields.front();
        const SectionBody page = report.body(report.plan().front());
        ASSERT_FALSE(page.front().rows.empty());
        EXPECT_EQ(page.front().rows.front().back(), session->engine().shown(*first.row, first.record));
    }
}

TEST(ReportPages, ChannelPagesPutTheirChannelsSideBySide)
{
    DemoImage demo;
    const ReportPages report(*demo.image, demo.env, kChannels | kCwId, 1, 30, Orientation::Portrait);
    const PageEntry& page = report.plan().front();
    ASSERT_EQ(page.kind, PageKind::Channels);
    const SectionBody body = report.body(page);
    ASSERT_EQ(body.size(), 1u);
    ASSERT_EQ(body[0].headers.size(), 3u);
    EXPECT_EQ(body[0].headers[1], "Channel " + std::to_string(page.items[0] + 1));
    const DeclaredForm& form = *findDeclaredForm("channel");
    const auto session = form.open(*demo.image, demo.env);
    const auto field =
        findField(form, session->engine(), "channel." + std::to_string(page.items[1] + 1) + ".rx-frequency");
    ASSERT_TRUE(field);
    EXPECT_TRUE(bodyHas(body, session->engine().shown(*field->row, field->record)));
}

TEST(ReportPages, UserRecordsAreSortedByIdInTwoColumns)
{
    DemoImage demo;
    auto main = demo.image->main();
    std::fill(main.begin() + 0x9000, main.begin() + 0x9000 + 4000, 0xFF);
    const uint16_t ids[] = {300, 5, 70};
    for (std::size_t i = 0; i < 3; ++i) {
        main[0x9000 + 4 * i + 2] = static_cast<uint8_t>(ids[i]);
        main[0x9000 + 4 * i + 3] = static_cast<uint8_t>(ids[i] >> 8);
    }
    const ReportPages report(*demo.image, demo.env, kUsers, 1, 30, Orientation::Landscape);
    ASSERT_FALSE(report.plan().empty());
    const PageEntry& page = report.plan().front();
    ASSERT_EQ(page.items[0], 0);
    const SectionBody body = report.body(page);
    ASSERT_EQ(body.size(), 1u);
    ASSERT_EQ(body[0].rows.size(), 3u);
    EXPECT_EQ(body[0].rows[0][1], "5");
    EXPECT_EQ(body[0].rows[0][0], "2"); // the record's own number
    EXPECT_EQ(body[0].rows[2][1], "300");
    EXPECT_EQ(body[0].rows[0][4], ""); // the second column is empty
}

TEST(ReportPages, EachUserListPrintsItsOwnChoices)
{
    DemoImage demo; // the group list holds 100 to 2000, the last two switched off
    const ReportPages report(*demo.image, demo.env, kUsers, 1, 30, Orientation::Portrait);
    const auto groups = std::find_if(report.plan().begin(), report.plan().end(),
                                     [](const PageEntry& page) { return page.items.at(0) == 1; });
    ASSERT_NE(groups, report.plan().end());
    const SectionBody body = report.body(*groups);
    ASSERT_EQ(body.size(), 1u);
    ASSERT_EQ(body[0].rows.size(), 20u);
    EXPECT_EQ(body[0].rows[0][1], "100");
    EXPECT_EQ(body[0].rows[0][2], "On");
    EXPECT_EQ(body[0].rows[18][1], "1900");
    EXPECT_EQ(body[0].rows[18][2], "Off");
    EXPECT_EQ(body[0].rows[19][2], "Off");
}

TEST(ReportPages, HeaderBlocksFollowTheSelection)
{
    DemoImage demo;
    const ReportPages none(*demo.image, demo.env, kProduct, 1, 30, Orientation::Portrait);
    EXPECT_TRUE(none.headerBlocks().empty());
    const ReportPages all(*demo.image, demo.env, kHeaderFlags, 1, 30, Orientation::Portrait);
    const SectionBody blocks = all.headerBlocks();
    ASSERT_EQ(blocks.size(), 3u);
    EXPECT_NE(blocks[0].rows[0][1].find("QLM-"), std::string::npos);
    EXPECT_FALSE(blocks[1].rows.empty());
    ASSERT_EQ(all.plan().size(), 1u);
    EXPECT_TRUE(all.body(all.plan().front()).empty());
}

TEST(ReportPages, EachMultiTablePrintsItsOwnEntries)
{
    DemoImage demo; // tables 1 (88.5, D023N, 131.8) and 3 (100.0, RAN 12, 5, 63) in use
    const ReportPages pages(*demo.image, demo.env, kMulti, 1, 30, Orientation::Portrait);
    std::vector<std::pair<int, SectionBody>> tables;
    for (const PageEntry& page : pages.plan()) {
        if (page.kind != PageKind::Multi)
            continue;
        const SectionBody body = pages.body(page);
        // The page's tables in order, each an analog part and an NXDN part.
        for (std::size_t i = 0; i < page.items.size(); ++i)
            tables.emplace_back(page.items[i], SectionBody(body.begin() + 2 * i, body.begin() + 2 * i + 2));
    }
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].first, 1);
    EXPECT_TRUE(bodyHas(tables[0].second, "D023N"));
    EXPECT_FALSE(bodyHas(tables[0].second, "100.0"));
    EXPECT_EQ(tables[1].first, 3);
    EXPECT_TRUE(bodyHas(tables[1].second, "100.0"));
    EXPECT_TRUE(bodyHas(tables[1].second, "63"));
    EXPECT_FALSE(bodyHas(tables[1].second, "D023N"));
}

TEST(ReportPages, TheDataVersionPrintsItsPrintableCharactersOnly)
{
    DemoImage demo;
    const auto main = demo.image->main();
    const uint8_t version[] = {' ', '1', '.', '0', '~'};
    std::copy(std::begin(version), std::end(version), main.begin() + kDataVersionOffset);
    const uint8_t format[] = {'A', 0x7F, 0x1F};
    std::copy(std::begin(format), std::end(format), main.begin() + kDataFormatOffset);
    const ReportPages pages(*demo.image, demo.env, kProduct, 1, 30, Orientation::Portrait);
    ASSERT_FALSE(pages.plan().empty());
    EXPECT_TRUE(bodyHas(pages.body(pages.plan().front()), " 1.0~, A"));
}

TEST(ReportPages, EverySectionOfTheDemonstrationHasABodyAndATitle)
{
    DemoImage demo;
    const ReportPages report(*demo.image, demo.env, kAllFlags, 1, 30, Orientation::Portrait);
    std::set<PageKind> kinds;
    std::set<std::string> titles;
    for (const PageEntry& page : report.plan()) {
        EXPECT_FALSE(report.title(page).empty());
        EXPECT_FALSE(report.body(page).empty()) << report.title(page);
        kinds.insert(page.kind);
        const std::string title = report.title(page);
        titles.insert(page.ofKind == 1 ? title : title.substr(0, title.rfind(" (")));
    }
    EXPECT_GE(kinds.size(), 14u);
    // Each section is titled as its form: channels as Channel Information, the others apart.
    EXPECT_EQ(titles.count(demo.texts.text(841)), 1u) << "Channel Information";
    EXPECT_EQ(titles.count(demo.texts.text(842)), 1u) << "DTMF";
    EXPECT_GE(titles.size(), 10u);
}

} // namespace
} // namespace rps::print
