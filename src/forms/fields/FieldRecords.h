#pragma once
// The records a form's fields are stored in: one global area, the channel store, or a list
// of equal records at a stride (multi tables, user records, test frequencies). Records are
// looked up once when the set is made (and again after records were created or removed),
// never per field.
#include "model/records/ChannelStore.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps::fields {

class RecordSet {
public:
    virtual ~RecordSet() = default;
    virtual int count() const = 0;
    // The bytes of a record; empty when the record does not exist (an empty channel).
    virtual std::span<uint8_t> record(int index) const = 0;
    // The record's part of a field key ("3" for channel 3), "" for a set of one record.
    virtual std::string recordKey(int index) const = 0;
    // Further bytes of a record kept elsewhere in the image (part 1, 2, ...); none by default.
    virtual std::span<uint8_t> recordPart(int /*index*/, int /*part*/) const { return {}; }
    // The record a key part names, or nothing; the default asks every record for its key.
    virtual std::optional<int> recordOfKey(std::string_view part) const;
    // Records were created or removed: look them up again.
    virtual void reload() {}
    // What whole-record copy, paste and delete see of a record. By default its bytes; a record
    // whose fields are not contiguous gives only the bytes of its own fields.
    virtual std::vector<uint8_t> recordBytes(int index) const;
    virtual void writeRecordBytes(int index, std::span<const uint8_t> bytes);
    virtual void fillRecord(int index, uint8_t byte);
};

// The 0-based record a key part "1".."count" names, or nothing.
std::optional<int> recordNumberOfKey(std::string_view part, int count);

// A form of one record: its fields are offsets into an area.
class GlobalRecords : public RecordSet {
public:
    explicit GlobalRecords(std::span<uint8_t> area) : area_(area) {}
    int count() const override { return 1; }
    std::span<uint8_t> record(int index) const override { return index == 0 ? area_ : std::span<uint8_t>(); }
    std::string recordKey(int) const override { return {}; }

private:
    std::span<uint8_t> area_;
};

// Equal records one after the other: record n starts at base + n x stride.
class StrideRecords : public RecordSet {
public:
    StrideRecords(std::span<uint8_t> area, std::size_t base, std::size_t stride, std::size_t size, int count)
        : area_(area), base_(base), stride_(stride), size_(size), count_(count)
    {
    }
    int count() const override { return count_; }
    std::span<uint8_t> record(int index) const override;
    std::string recordKey(int index) const override { return std::to_string(index + 1); }
    std::optional<int> recordOfKey(std::string_view part) const override;

private:
    std::span<uint8_t> area_;
    std::size_t base_;
    std::size_t stride_;
    std::size_t size_;
    int count_;
};

// The 30 channels of the channel store; record n is channel n + 1.
class ChannelRecords : public RecordSet {
public:
    explicit ChannelRecords(ChannelStore& store) : store_(store) { reload(); }
    int count() const override { return kChannelCount; }
    std::span<uint8_t> record(int index) const override;
    std::string recordKey(int index) const override { return std::to_string(index + 1); }
    void reload() override;
    ChannelStore& store() const { return store_; }

private:
    ChannelStore& store_;
    std::array<std::optional<std::size_t>, kChannelCount> offsets_{};
};

} // namespace rps::fields
