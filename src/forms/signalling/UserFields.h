#pragma once
// "User List": two lists of 1000 user records (4 bytes each): list 1 individual IDs at 0x9000,
// list 2 group IDs at 0x8000. A record holds a 16-bit ID (0xFFFF empty; 0 "All", list 1 only)
// and a two-way choice; while the first choice is set the record carries its own number.
// Records 0..999 are list 1, 1000..1999 list 2; keys name them user-list.L.N.id|choice.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"

#include <array>
#include <memory>
#include <optional>

namespace rps::signalling {

namespace users {
inline constexpr int kTitleText = 844;
inline constexpr int kPageTexts[] = {1348, 1349};
inline constexpr int kRecordsPerList = 1000;
inline constexpr std::size_t kRecordSize = 4;
inline constexpr std::size_t kListOffset[] = {0x9000, 0x8000};
inline constexpr uint16_t kNoId = 0xFFFF;
inline constexpr uint16_t kAllId = 0;
inline constexpr uint16_t kHighestId = 65519;
inline constexpr int kDuplicateText = 816;
inline constexpr int kAllText = 1354;

inline constexpr int kItemCounter1 = 1;
inline constexpr int kItemGrid1 = 2;
inline constexpr int kItemId1 = 3;
inline constexpr int kItemChoice1 = 4;
inline constexpr int kItemCounter2 = 11;
inline constexpr int kItemGrid2 = 12;
inline constexpr int kItemId2 = 13;
inline constexpr int kItemChoice2 = 14;

// 0 for list 1, 1 for list 2.
inline int listOf(int record)
{
    return record < kRecordsPerList ? 0 : 1;
}
// Whether a stored ID is one the list can hold (the rest show and count as none).
bool holdsId(int list, uint16_t id);
} // namespace users

fields::FieldTable userFields();

class UserRecords : public fields::RecordSet {
public:
    explicit UserRecords(std::span<uint8_t> mainArea) : main_(mainArea) {}
    int count() const override { return 2 * users::kRecordsPerList; }
    std::span<uint8_t> record(int index) const override;
    std::string recordKey(int index) const override;
    std::optional<int> recordOfKey(std::string_view part) const override;

private:
    std::span<uint8_t> main_;
};

class UserRules : public fields::FieldRules {
public:
    explicit UserRules(const UserRecords& records) : records_(records) {}
    bool enabled(const fields::FieldRow& row, int record) const override;
    bool hasField(const fields::FieldRow& row, int record) const override;
    bool showsEmpty(const fields::FieldRow& row, int record) const override;
    std::string computedText(const fields::FieldRow& row, int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterRecords(int first, int last, fields::EditResult& result) override;

    // The ID a record holds, nothing when empty (or out of range).
    std::optional<uint16_t> idOf(int record) const;
    // Another record of the same list holding `id`, or -1.
    int holderOf(int record, uint16_t id) const;
    // Records of the list (0 or 1) holding an ID.
    int usedCount(int list) const;

private:
    void setChoice(int record, bool first);

    const UserRecords& records_;
};

std::unique_ptr<FieldFormSession> openUserFields(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::signalling
