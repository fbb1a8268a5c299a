#include "print/ReportPages.h"

#include "forms/fields/RowOrder.h"
#include "forms/signalling/MultiFields.h"
#include "forms/signalling/UserFields.h"
#include "model/ByteOrder.h"
#include "model/ImageChecks.h"
#include "model/ImageMap.h"
#include "model/ModelBlock.h"
#include "model/ModelTable.h"
#include "print/PrintSelection.h"

#include <array>
#include <cstdio>
#include <utility>

namespace rps::print {

namespace {

struct KindKey {
    PageKind kind;
    std::string_view key;
};

constexpr std::array<KindKey, 15> kKindKeys{{
    {PageKind::Features, "features"},
    {PageKind::Key, "key"},
    {PageKind::Scan, "scan"},
    {PageKind::Dtmf, "dtmf"},
    {PageKind::Nxdn, "nxdn"},
    {PageKind::EncDec, "encode-decode"},
    {PageKind::Remote, "remote"},
    {PageKind::Port, "port"},
    {PageKind::Multi, "multi-table"},
    {PageKind::CwMessage, "cw-message"},
    {PageKind::Users, "user-list"},
    {PageKind::TestFrequency, "test-frequency"},
    {PageKind::Advanced, "advanced"},
    {PageKind::Channels, "channel"},
    {PageKind::CwId, "cwid"},
}};

std::string printable(std::span<const uint8_t> bytes)
{
    std::string text;
    for (uint8_t byte : bytes) {
        if (byte >= 0x20 && byte < 0x7F)
            text += static_cast<char>(byte);
    }
    return text;
}

std::string hex4(unsigned value)
{
    char text[8];
    std::snprintf(text, sizeof text, "0x%04X", value & 0xFFFFu);
    return text;
}

} // namespace

std::string_view formKeyOf(PageKind kind)
{
    for (const KindKey& known : kKindKeys) {
        if (known.kind == kind)
            return known.key;
    }
    return {};
}

ReportPages::ReportPages(ConfigImage& image, const fields::FieldEnv& env, uint32_t flags, int startChannel,
                         int endChannel, Orientation orientation)
    : image_(image), env_(env), flags_(flags), orientation_(orientation),
      plan_(buildPagePlan(flags, orientation, reportContent(image, startChannel, endChannel)))
{
}

SectionBody ReportPages::headerBlocks() const
{
    SectionBody blocks;
    if (flags_ & kModel) {
        const ModelBlock block = readModelBlock(std::as_const(image_).main());
        const std::string model = modelDescription(findModelRow(block), findBandRow(block.modelCode()));
        blocks.push_back({{}, {}, {{env_.text(kModelText), model}}});
    }
    for (const auto& [flag, key] :
         {std::pair{kMessage, "message"}, std::pair{kProtectedMessage, "protected-message"}}) {
        if (!(flags_ & flag))
            continue;
        const DeclaredForm* form = findDeclaredForm(key);
        const auto session = form->open(image_, env_);
        TextTable table{env_.text(form->titleText), {}, {}};
        for (const TextTable& part : formTables(*form, session->engine()))
            table.rows.insert(table.rows.end(), part.rows.begin(), part.rows.end());
        blocks.push_back(std::move(table));
    }
    return blocks;
}

std::string ReportPages::title(const PageEntry& page) const
{
    switch (page.kind) {
    case PageKind::Empty:
        return {};
    case PageKind::Product:
        return env_.text(kProductTitleText);
    case PageKind::TestMode:
        return env_.text(kTestModeTitleText);
    case PageKind::RadioInformation:
        return env_.text(kRadioInfoTitleText);
    default:
        break;
    }
    const DeclaredForm* form = findDeclaredForm(formKeyOf(page.kind));
    std::string title = form ? env_.text(form->titleText) : std::string();
    if (page.kind == PageKind::Channels)
        title = env_.text(kChannelInfoTitleText);
    if (page.kind == PageKind::CwId)
        title = env_.text(kCwIdTitleText);
    if (page.ofKind > 1)
        title += " (" + std::to_string(page.sub + 1) + "/" + std::to_string(page.ofKind) + ")";
    return title;
}

SectionBody ReportPages::body(const PageEntry& page) const
{
    switch (page.kind) {
    case PageKind::Empty:
    case PageKind::TestMode:
    case PageKind::RadioInformation:
        return {};
    case PageKind::Product:
        return productBody();
    case PageKind::Users:
        return userBody(page);
    default:
        return formBody(formKeyOf(page.kind), page);
    }
}

SectionBody ReportPages::formBody(std::string_view key, const PageEntry& page) const
{
    const DeclaredForm* form = findDeclaredForm(key);
    if (!form)
        return {};
    const auto session = form->open(image_, env_);
    fields::FieldEngine& engine = session->engine();
    if (page.kind == PageKind::Channels || page.kind == PageKind::CwId)
        return {recordColumns(engine, page.items, env_.text(kChannelText))};
    if (page.kind == PageKind::Multi) {
        SectionBody body;
        for (int table : page.items) {
            const auto first = (table - 1) * signalling::multi::kTableRecords;
            const auto inTable = [first](int record) {
                return record >= first && record < first + signalling::multi::kTableRecords;
            };
            // A table's analog and NXDN entries side by side.
            SectionBody parts = formTables(*form, engine, inTable);
            for (std::size_t i = 0; i < parts.size(); ++i) {
                parts[i].besidePrevious = i % 2 == 1;
                body.push_back(std::move(parts[i]));
            }
        }
        return body;
    }
    return pageShare(formTables(*form, engine), page.sub, page.ofKind);
}

// The list sorted by ID as the user-list form sorts it, in two columns.
SectionBody ReportPages::userBody(const PageEntry& page) const
{
    using namespace signalling::users;
    const DeclaredForm* form = findDeclaredForm("user-list");
    const auto session = form->open(image_, env_);
    fields::FieldEngine& engine = session->engine();
    const int list = page.items.at(0);
    const fields::FieldRow* id = fields::findRow(engine.table(), list == 0 ? kItemId1 : kItemId2);
    const fields::FieldRow* choice = fields::findRow(engine.table(), list == 0 ? kItemChoice1 : kItemChoice2);
    const fields::FieldRow* grid = fields::findRow(engine.table(), list == 0 ? kItemGrid1 : kItemGrid2);
    const int firstRecord = list * kRecordsPerList;
    fields::RowOrder order;
    order.reset(kRecordsPerList);
    order.sortBy(engine, *id, firstRecord);
    std::vector<int> held;
    for (int row = 0; row < kRecordsPerList; ++row) {
        const int record = firstRecord + order.record(row);
        if (!engine.shown(*id, record).empty())
            held.push_back(record);
    }
    const int rows = userRowsPerColumn(orientation_);
    const std::string number = env_.text(fields::kRecordNumberText);
    const std::string idText = env_.text(grid->grid->columns[0].text);
    const std::string choiceText = env_.text(grid->grid->columns[1].text);
    TextTable table{
        env_.text(kPageTexts[list]), {number, idText, choiceText, number, idText, choiceText}, {}};
    const int first = page.items.at(1);
    const int count = std::min(page.items.at(2), static_cast<int>(held.size()) - first);
    for (int row = 0; row < std::min(rows, count); ++row) {
        std::vector<std::string> cells;
        for (int column = 0; column < 2; ++column) {
            const int at = first + column * rows + row;
            if (at - first < count) {
                const int record = held[static_cast<std::size_t>(at)];
                cells.insert(cells.end(), {std::to_string(record - firstRecord + 1),
                                           engine.shown(*id, record), engine.shown(*choice, record)});
            }
        }
        cells.resize(6);
        table.rows.push_back(std::move(cells));
    }
    return {table};
}

// As info prints them: model, model code, data version, checksum.
SectionBody ReportPages::productBody() const
{
    const auto main = std::as_const(image_).main();
    const ModelBlock block = readModelBlock(main);
    const uint16_t stored = getU16(main, kChecksumOffset);
    const uint16_t computed = checksumOf(main);
    TextTable table;
    table.rows = std::vector<std::vector<std::string>>{
        {env_.text(kModelText), modelDescription(findModelRow(block), findBandRow(block.modelCode()))},
        {env_.text(kModelCodeText), hex4(block.modelCode())},
        {env_.text(kDataVersionText), printable(main.subspan(kDataVersionOffset, 5)) + ", " +
                                          printable(main.subspan(kDataFormatOffset, 3))},
        {env_.text(kChecksumText), "stored " + hex4(stored) + ", computed " + hex4(computed) +
                                       (stored == computed ? "" : " (differs)")},
    };
    return {table};
}

} // namespace rps::print
