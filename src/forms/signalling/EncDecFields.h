#pragma once
// "Encode/Decode Table": the 32 DTMF codes the repeater sends and the 40 it answers, each a
// 24-byte record of digits, with the transpond tones and periods and the side tone. The
// form's records are the encode codes, then the decode codes, then the form-wide record of
// the transpond fields; keys name each by what it is: encode-decode.encode.3.code,
// encode-decode.decode.12.code, encode-decode.activation-tone.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"
#include "forms/signalling/CodeReferences.h"

#include <array>
#include <memory>

namespace rps::signalling {

inline constexpr int kEncDecTitleText = 835;
inline constexpr int kEncDecPageTexts[] = {944, 945};

inline constexpr int kEncodeGridItem = 1;
inline constexpr int kDecodeGridItem = 2;
inline constexpr int kItemEncodeCode = 3;
inline constexpr int kItemDecodeCode = 4;
inline constexpr int kItemActivationGroup = 10;
inline constexpr int kItemActivationFrequency = 11;
inline constexpr int kItemActivationPeriod = 12;
inline constexpr int kItemDeactivationGroup = 13;
inline constexpr int kItemDeactivationFrequency = 14;
inline constexpr int kItemDeactivationPeriod = 15;
inline constexpr int kItemSideTone = 16;

// Records of the form: encode rows 0..31, decode rows 32..71, then the form-wide record.
inline constexpr int kFirstDecodeRecord = kEncodeCount;
inline constexpr int kEncDecWideRecord = kEncodeCount + kDecodeCount;

fields::FieldTable encDecFields();
// The grid shapes of the two tables (each with its own copy buffer).
const fields::GridShape& encodeGridShape();
const fields::GridShape& decodeGridShape();

class EncDecRecords : public fields::RecordSet {
public:
    explicit EncDecRecords(std::span<uint8_t> mainArea) : main_(mainArea) {}
    int count() const override { return kEncDecWideRecord + 1; }
    std::span<uint8_t> record(int index) const override;
    std::string recordKey(int index) const override;

private:
    std::span<uint8_t> main_;
};

// The code number remote control uses for a code record; kNoCode for any other record.
uint8_t codeNumberOfRecord(int record);

class EncDecRules : public fields::FieldRules {
public:
    EncDecRules(std::span<uint8_t> mainArea, const EncDecRecords& records)
        : main_(mainArea), records_(records)
    {
    }
    bool hasField(const fields::FieldRow& row, int record) const override;
    void afterStore(const fields::FieldEdit& edit, fields::EditResult& result) override;
    void afterRecords(int first, int last, fields::EditResult& result) override;

private:
    // An empty code record takes its remote-control references along.
    void removeIfEmpty(int record);

    std::span<uint8_t> main_;
    const EncDecRecords& records_;
};

std::unique_ptr<FieldFormSession> openEncDecFields(ConfigImage& image, const fields::FieldEnv& env);

} // namespace rps::signalling
