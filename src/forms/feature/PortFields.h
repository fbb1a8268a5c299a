#pragma once
// "Function Port": the mode of each of the six ports, the active level of the inputs, the
// functions each input runs (three slots that fill from the first) and the signal and level
// each output drives. The form's records are of several kinds: a port's mode, an input row
// (fixed inputs 1..3, ports 1..6), an output row (fixed outputs 1..5, ports 1..6) and the
// form-wide input level. Field keys name each by what it is: port.2.mode, port.2.input.1,
// port.fixed-input.1.input.1, port.fixed-output.3.output, port.input-level.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"

#include <array>
#include <memory>
#include <vector>

namespace rps::feature {

inline constexpr int kPortItemMode = 1;
inline constexpr int kPortItemInputLevel = 2;
inline constexpr int kPortItemInput1 = 10; // slots 2 and 3 follow
inline constexpr int kPortItemOutput = 20;
inline constexpr int kPortItemOutputLevel = 21;
inline constexpr int kFunctionPortTitleText = 843;

extern const std::array<fields::FieldRow, 7> kPortFields;

enum class PortRecordKind { Mode, FixedInput, PortInput, FixedOutput, PortOutput, InputLevel };

// Which records a set holds: every record (the command-line tool), or what one grid shows.
enum class PortRows {
    All,
    Modes,   // ports 1..6
    Inputs,  // fixed inputs, then the ports in mode 0
    Outputs, // fixed outputs, then the ports in mode 1
    Level,   // the input level alone
};

class PortRecords : public fields::RecordSet {
public:
    struct Entry {
        PortRecordKind kind;
        int number; // port, fixed input or fixed output 1..n
        std::size_t offset;
        std::size_t size;
    };

    PortRecords(std::span<uint8_t> mainArea, PortRows rows) : main_(mainArea), rows_(rows) { reload(); }
    int count() const override { return static_cast<int>(entries_.size()); }
    std::span<uint8_t> record(int index) const override;
    std::string recordKey(int index) const override;
    void reload() override;

    const Entry* entry(int index) const;

private:
    std::span<uint8_t> main_;
    PortRows rows_;
    std::vector<Entry> entries_;
};

// Language text naming an output function; 0 for a code the outputs do not offer.
int outputFunctionText(uint8_t code);

// Language text labelling a record's row in its grid.
int portRowLabelText(const PortRecords::Entry& entry);

class PortFieldRules : public fields::FieldRules {
public:
    PortFieldRules(std::span<uint8_t> mainArea, const PortRecords& records)
        : main_(mainArea), records_(records)
    {
    }

    bool hasField(const fields::FieldRow& row, int record) const override;
    bool enabled(const fields::FieldRow& row, int record) const override;
    std::optional<std::vector<fields::Choice>> choices(const fields::FieldRow& row,
                                                       int record) const override;
    fields::StoreStep beforeStore(fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;

private:
    std::span<uint8_t> main_;
    const PortRecords& records_;
};

std::unique_ptr<FieldFormSession> openPortFields(ConfigImage& image, const fields::FieldEnv& env,
                                                 PortRows rows = PortRows::All);

} // namespace rps::feature
