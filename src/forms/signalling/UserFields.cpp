#include "forms/signalling/UserFields.h"

#include "model/ByteOrder.h"
#include "model/ValueHelpers.h"

#include <cctype>
#include <cstdio>

namespace rps::signalling {

using namespace fields;
using namespace users;

namespace {

constexpr int kTextCounter = 1350;
constexpr int kTextChoice = 1353;
constexpr int kTextFirstChoice = 855;
constexpr int kTextSecondChoice = 856;
constexpr uint8_t kChoiceBit = 0x80;

constexpr GridHead kListOneColumns[] = {{1351, 150, CellAlign::Right}, {kTextChoice, 100}};
constexpr GridHead kListTwoColumns[] = {{1352, 150, CellAlign::Right}, {kTextChoice, 100}};
constexpr GridShape kListOneShape{
    kListOneColumns,
    {},
    50,
    0,
    {.first = 0, .count = kRecordsPerList, .rowCommands = true, .emptyByte = 0xFF, .sortable = true},
    kRecordNumberText};
constexpr GridShape kListTwoShape{kListTwoColumns,
                                  {},
                                  50,
                                  0,
                                  {.first = kRecordsPerList,
                                   .count = kRecordsPerList,
                                   .rowCommands = true,
                                   .emptyByte = 0xFF,
                                   .sortable = true},
                                  kRecordNumberText};

constexpr Choice kChoices[] = {{0, kTextFirstChoice}, {1, kTextSecondChoice}};

bool startsWithLetterOf(std::string_view text, std::string_view word)
{
    return !text.empty() && !word.empty() &&
           std::toupper(static_cast<unsigned char>(text.front())) ==
               std::toupper(static_cast<unsigned char>(word.front()));
}

std::string trimmed(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// An ID as the list shows it: a number, "All" (list 1), or empty.
template <int List> std::string formatId(uint32_t raw, const FieldEnv& env)
{
    const auto id = static_cast<uint16_t>(raw);
    if (!holdsId(List, id))
        return {};
    return id == kAllId ? env.text(kAllText) : std::to_string(id);
}

// A typed ID: empty is no ID; on list 1 the first letter of "All" or 0 is "All"; any other
// number is clamped into 1..65519.
template <int List> CodecParse parseId(std::string_view typed, const FieldEnv& env)
{
    const std::string text = trimmed(typed);
    if (text.empty())
        return {kNoId};
    if (List == 0 && startsWithLetterOf(text, env.text(kAllText)))
        return {kAllId};
    const int64_t value = parseTypedInteger(text);
    if (List == 0 && value == 0)
        return {kAllId};
    return {static_cast<uint32_t>(clampInteger(value, 1, kHighestId, 1))};
}

constexpr FieldCodec kListOneId{formatId<0>, parseId<0>};
constexpr FieldCodec kListTwoId{formatId<1>, parseId<1>};

// "All" may be typed whole where the filter takes only its first letter.
constexpr FieldRow takesAll(FieldRow row)
{
    row.range = Range{}.offAt(kAllId, kAllText);
    return row;
}

constexpr FieldRow kGrid1 = grid(kItemGrid1, kPageTexts[0], kListOneShape).at({0, 0, -1});
constexpr FieldRow kGrid2 = grid(kItemGrid2, kPageTexts[1], kListTwoShape).at({1, 0, -1});

const std::array<FieldRow, 8> kUserFields{{
    label(kItemCounter1, kTextCounter).at({0, 0, -1}),
    kGrid1,
    takesAll(edit(kItemId1, "id", 1351, u16(2), {CharFilterKind::DigitsWithA, 5})
                 .coded(kListOneId)
                 .inColumn(kGrid1, 0)),
    list(kItemChoice1, "choice", kTextChoice, bits8(1, kChoiceBit), kChoices).inColumn(kGrid1, 1),
    label(kItemCounter2, kTextCounter).at({1, 0, -1}),
    kGrid2,
    edit(kItemId2, "id", 1352, u16(2), {CharFilterKind::Digits, 5}).coded(kListTwoId).inColumn(kGrid2, 0),
    list(kItemChoice2, "choice", kTextChoice, bits8(1, kChoiceBit), kChoices).inColumn(kGrid2, 1),
}};

bool isId(const FieldRow& row)
{
    return row.item == kItemId1 || row.item == kItemId2;
}

bool isChoice(const FieldRow& row)
{
    return row.item == kItemChoice1 || row.item == kItemChoice2;
}

int listOfRow(const FieldRow& row)
{
    return row.item >= kItemCounter2 ? 1 : 0;
}

class UserSession : public FieldFormSession {
public:
    UserSession(ConfigImage& image, const FieldEnv& env)
        : records_(image.main()), rules_(records_),
          engine_(userFields(), records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    UserRecords records_;
    UserRules rules_;
    FieldEngine engine_;
};

} // namespace

bool users::holdsId(int list, uint16_t id)
{
    return id <= kHighestId && (list == 0 || id != kAllId);
}

FieldTable userFields()
{
    return kUserFields;
}

std::span<uint8_t> UserRecords::record(int index) const
{
    if (index < 0 || index >= count())
        return {};
    const std::size_t start =
        kListOffset[listOf(index)] + static_cast<std::size_t>(index % kRecordsPerList) * kRecordSize;
    return start + kRecordSize <= main_.size() ? main_.subspan(start, kRecordSize) : std::span<uint8_t>();
}

std::string UserRecords::recordKey(int index) const
{
    return std::to_string(listOf(index) + 1) + "." + std::to_string(index % kRecordsPerList + 1);
}

std::optional<int> UserRecords::recordOfKey(std::string_view part) const
{
    if (part.size() < 3 || (part[0] != '1' && part[0] != '2') || part[1] != '.')
        return std::nullopt;
    const auto number = recordNumberOfKey(part.substr(2), kRecordsPerList);
    if (!number)
        return std::nullopt;
    return (part[0] - '1') * kRecordsPerList + *number;
}

std::optional<uint16_t> UserRules::idOf(int record) const
{
    const std::span<uint8_t> bytes = records_.record(record);
    if (bytes.empty())
        return std::nullopt;
    const uint16_t id = getU16(bytes, 2);
    return holdsId(listOf(record), id) ? std::optional<uint16_t>(id) : std::nullopt;
}

int UserRules::holderOf(int record, uint16_t id) const
{
    const int first = listOf(record) * kRecordsPerList;
    for (int other = first; other < first + kRecordsPerList; ++other) {
        if (other != record && idOf(other) == id)
            return other;
    }
    return -1;
}

int UserRules::usedCount(int list) const
{
    int used = 0;
    for (int record = list * kRecordsPerList; record < (list + 1) * kRecordsPerList; ++record)
        used += idOf(record).has_value();
    return used;
}

bool UserRules::hasField(const FieldRow& row, int record) const
{
    return listOfRow(row) == listOf(record);
}

bool UserRules::enabled(const FieldRow& row, int record) const
{
    // An empty record has no choice to make.
    return !isChoice(row) || idOf(record).has_value();
}

bool UserRules::showsEmpty(const FieldRow& row, int record) const
{
    return !enabled(row, record);
}

std::string UserRules::computedText(const FieldRow& row, int) const
{
    char text[24];
    std::snprintf(text, sizeof text, "%d/1000 ", usedCount(listOfRow(row)));
    return text;
}

void UserRules::setChoice(int record, bool first)
{
    const std::span<uint8_t> bytes = records_.record(record);
    // The first choice carries the record's own number (12 bits), the second none.
    const unsigned number = first ? static_cast<unsigned>(record % kRecordsPerList + 1) : 0;
    bytes[0] = static_cast<uint8_t>(number & 0xFF);
    bytes[1] = static_cast<uint8_t>((bytes[1] & 0x70) | (first ? 0 : kChoiceBit) | ((number >> 8) & 0x0F));
}

StoreStep UserRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    const int record = edit.record;
    if (!isId(edit.row)) {
        setChoice(record, edit.raw == 0);
    } else {
        const auto id = static_cast<uint16_t>(edit.raw);
        if (id != kNoId) {
            // A taken ID is refused and names its holder; the edited record stays as it was.
            if (const int holder = holderOf(record, id); holder >= 0) {
                result.message = kDuplicateText;
                result.refused = true;
                result.moveTo = holder;
                return StoreStep::Done;
            }
            if (!idOf(record))
                setChoice(record, true);
        }
        setU16(records_.record(record), 2, id);
        if (id == kNoId)
            setChoice(record, false);
    }
    result.changed = true;
    result.touched |= kTouchesMain;
    return StoreStep::Done;
}

void UserRules::afterRecords(int first, int last, EditResult& result)
{
    for (int record = first; record <= last; ++record) {
        const std::span<uint8_t> bytes = records_.record(record);
        if (bytes.empty())
            continue;
        const auto id = idOf(record);
        if (id && holderOf(record, *id) >= 0) {
            // A pasted ID another record holds does not come along.
            result.message = kDuplicateText;
            setU16(bytes, 2, kNoId);
        }
        if (!idOf(record)) {
            // An emptied record: 00 F0 FF FF.
            bytes[0] = 0x00;
            bytes[1] = 0xF0;
            setU16(bytes, 2, kNoId);
        } else {
            setChoice(record, (bytes[1] & kChoiceBit) == 0);
        }
    }
}

std::unique_ptr<FieldFormSession> openUserFields(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<UserSession>(image, env);
}

} // namespace rps::signalling
