#pragma once
// "Remote Control": the DTMF codes that command the PF keys, the AUX inputs and the AUX
// outputs, and the two transponders that answer a command. The rows follow the functions the
// key and port forms give the keys and terminals; this form changes none of them but the
// output level. Records are the rows in use (keys, fixed inputs, ports in input mode, fixed
// outputs, ports in output mode) and a form-wide record; keys name each row by what it is:
// remote.key.1.activation, remote.port-output.3.output-level, remote.aux-transponder-activation.
#include "forms/fields/DeclaredForm.h"
#include "forms/fields/FieldEngine.h"
#include "model/RemoteControlRules.h"

#include <array>
#include <memory>
#include <vector>

namespace rps::signalling {

inline constexpr int kRemoteTitleText = 836;

namespace remotectl {
inline constexpr int kItemFunction = 1;
inline constexpr int kItemActivation = 2;
inline constexpr int kItemDeactivation = 3;
inline constexpr int kItemType = 4;
inline constexpr int kItemOutputLevel = 5;
inline constexpr int kItemKeyTransponderTone = 10;
inline constexpr int kItemKeyTransponderOn = 11;
inline constexpr int kItemKeyTransponderOff = 12;
inline constexpr int kItemAuxTransponderTone = 13;
inline constexpr int kItemAuxTransponderOn = 14;
inline constexpr int kItemAuxTransponderOff = 15;
inline constexpr int kItemWithQt = 16;
inline constexpr int kItemClearToTranspond = 17;
} // namespace remotectl

extern const std::array<fields::FieldRow, 13> kRemoteFields;

// Which records a set holds: every record (the command-line tool) or what one grid shows.
enum class RemoteRows { All, Keys, Inputs, Outputs, Wide };

class RemoteRecords : public fields::RecordSet {
public:
    RemoteRecords(std::span<uint8_t> mainArea, RemoteRows which) : main_(mainArea), which_(which)
    {
        reload();
    }
    int count() const override { return static_cast<int>(rows_.size()) + (hasWide() ? 1 : 0); }
    std::span<uint8_t> record(int index) const override;
    std::span<uint8_t> recordPart(int index, int part) const override;
    std::string recordKey(int index) const override;
    void reload() override;

    // The remote-control row of a record; nullptr for the form-wide record.
    const remote::RemoteRow* row(int index) const;

private:
    bool hasWide() const { return which_ == RemoteRows::All || which_ == RemoteRows::Wide; }

    std::span<uint8_t> main_;
    RemoteRows which_;
    std::vector<remote::RemoteRow> rows_;
};

// Language text naming a row in its grid.
int remoteRowText(const remote::RemoteRow& row);

class RemoteRules : public fields::FieldRules {
public:
    RemoteRules(std::span<uint8_t> mainArea, const RemoteRecords& records, const fields::FieldEnv& env)
        : main_(mainArea), records_(records), env_(env)
    {
    }
    bool hasField(const fields::FieldRow& row, int record) const override;
    bool enabled(const fields::FieldRow& row, int record) const override;
    std::string computedText(const fields::FieldRow& row, int record) const override;
    std::optional<std::vector<fields::Choice>> choices(const fields::FieldRow& row,
                                                       int record) const override;

private:
    std::vector<fields::Choice> codeList(remote::CodeKind kind, std::size_t ownByte) const;

    std::span<uint8_t> main_;
    const RemoteRecords& records_;
    fields::FieldEnv env_;
};

std::unique_ptr<FieldFormSession> openRemoteFields(ConfigImage& image, const fields::FieldEnv& env,
                                                   RemoteRows rows = RemoteRows::All);

} // namespace rps::signalling
