#include "forms/FieldForms.h"

#include "forms/channel/ChannelFields.h"
#include "forms/feature/FeatureFields.h"
#include "forms/feature/KeyFields.h"
#include "forms/feature/PortFields.h"
#include "forms/feature/ScanFields.h"
#include "forms/feature/SpecialFields.h"
#include "forms/signalling/CwIdFields.h"
#include "forms/signalling/CwMessageFields.h"
#include "forms/signalling/DtmfFields.h"
#include "forms/signalling/EncDecFields.h"
#include "forms/signalling/MessageFields.h"
#include "forms/signalling/MultiFields.h"
#include "forms/signalling/NxdnFields.h"
#include "forms/signalling/RemoteFields.h"
#include "forms/signalling/TestFreqFields.h"
#include "forms/signalling/UserFields.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace rps {

using namespace fields;

namespace {

// The channel records with a form's table and rules over them.
template <class Rules, std::size_t N> class ChannelFormSession : public FieldFormSession {
public:
    ChannelFormSession(ConfigImage& image, const FieldEnv& env, const std::array<FieldRow, N>& table)
        : env_(env), store_(image), records_(store_), rules_(makeRules()),
          engine_(table, records_, {image.main(), image.aux(), image.local()}, env_, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    Rules makeRules()
    {
        if constexpr (std::is_constructible_v<Rules, ChannelStore&, const FieldEnv&>)
            return Rules(store_, env_);
        else
            return Rules(store_);
    }

    FieldEnv env_;
    ChannelStore store_;
    ChannelRecords records_;
    Rules rules_;
    FieldEngine engine_;
};

std::unique_ptr<FieldFormSession> openChannelForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<ChannelFormSession<ChannelFieldRules, kChannelItemCount>>(image, env,
                                                                                      kChannelFields);
}

std::unique_ptr<FieldFormSession> openBeatShiftForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<ChannelFormSession<BeatShiftRules, 5>>(image, env, kBeatShiftFields);
}

std::unique_ptr<FieldFormSession> openPortForm(ConfigImage& image, const FieldEnv& env)
{
    return feature::openPortFields(image, env);
}

// A form of repeater-wide fields: one record, the main area.
class OptionalFeaturesSession : public FieldFormSession {
public:
    OptionalFeaturesSession(ConfigImage& image, const FieldEnv& env)
        : records_(image.main()), rules_(image.main()),
          engine_(feature::featureFields(), records_, {image.main(), image.aux(), image.local()}, env,
                  &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    GlobalRecords records_;
    feature::FeatureRules rules_;
    FieldEngine engine_;
};

std::unique_ptr<FieldFormSession> openRemoteForm(ConfigImage& image, const FieldEnv& env)
{
    return signalling::openRemoteFields(image, env);
}

std::unique_ptr<FieldFormSession> openFeatureForm(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<OptionalFeaturesSession>(image, env);
}

constexpr std::array<DeclaredForm, 18> kDeclaredForms{{
    {"channel", 897, openChannelForm},
    {"beat-shift", 906, openBeatShiftForm},
    {"key", feature::kKeyAssignmentTitleText, feature::openKeyFields},
    {"port", feature::kFunctionPortTitleText, openPortForm},
    {"features", feature::kFeatureTitleText, openFeatureForm},
    {"scan", 834, openScanForm},
    {"advanced", 1356, openAdvancedForm},
    {"dtmf", signalling::kDtmfTitleText, signalling::openDtmfForm},
    {"encode-decode", signalling::kEncDecTitleText, signalling::openEncDecFields},
    {"nxdn", signalling::kNxdnTitleText, signalling::openNxdnForm},
    {"cwid", cwid::kTitleText, openCwIdForm},
    {"cw-message", cwmessage::kTitleText, openCwMessageForm},
    {"multi-table", signalling::kMultiTitleText, signalling::openMultiForm},
    {"message", signalling::kMessageTitleText, signalling::openMessageForm},
    {"protected-message", signalling::kProtectedMessageTitleText, signalling::openProtectedMessageForm},
    {"test-frequency", signalling::kTestFreqTitleText, signalling::openTestFreqForm},
    {"remote", signalling::kRemoteTitleText, openRemoteForm},
    {"user-list", signalling::users::kTitleText, signalling::openUserFields},
}};

std::string lowered(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return result;
}

std::string trimmedText(std::string_view text)
{
    const auto first = text.find_first_not_of(' ');
    if (first == std::string_view::npos)
        return {};
    return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

// An order given as its labels, separated by commas as show prints it, entered as the
// form's spin buttons would: one entry moved one place at a time.
EditResult enterOrder(FieldEngine& engine, const FieldEntry& field, std::string_view text)
{
    std::vector<std::string> wanted;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        wanted.push_back(lowered(trimmedText(text.substr(start, comma - start))));
        start = comma + 1;
    }
    std::vector<std::string> current;
    for (const std::string& label : engine.orderLabels(*field.row, field.record))
        current.push_back(lowered(label));
    if (!std::is_permutation(wanted.begin(), wanted.end(), current.begin(), current.end()))
        return {0, true};
    EditResult result;
    for (std::size_t place = 0; place < wanted.size(); ++place) {
        auto at = static_cast<std::size_t>(std::find(current.begin(), current.end(), wanted[place]) -
                                           current.begin());
        for (; at > place; --at) {
            const EditResult moved =
                engine.moveEntry(*field.row, field.record, static_cast<int>(at), static_cast<int>(at) - 1);
            if (moved.refused)
                return moved;
            result.changed |= moved.changed;
            result.touched |= moved.touched;
            std::swap(current[at], current[at - 1]);
        }
    }
    return result;
}

bool isNumberFilter(CharFilterKind kind)
{
    return kind == CharFilterKind::Digits || kind == CharFilterKind::Decimal ||
           kind == CharFilterKind::SignedDigits;
}

} // namespace

std::span<const DeclaredForm> declaredForms()
{
    return kDeclaredForms;
}

const DeclaredForm* findDeclaredForm(std::string_view key)
{
    for (const DeclaredForm& form : kDeclaredForms) {
        if (form.key == key)
            return &form;
    }
    return nullptr;
}

std::vector<FieldEntry> listFields(const DeclaredForm& form, FieldEngine& engine)
{
    std::vector<FieldEntry> entries;
    RecordSet& records = engine.records();
    for (int record = 0; record < records.count(); ++record) {
        const bool exists = !records.record(record).empty();
        for (const FieldRow& row : engine.table()) {
            if (!row.isDataField() || !engine.hasField(row, record) ||
                (!exists && !engine.enabled(row, record)))
                continue;
            entries.push_back({engine.key(form.key, row, record), &row, record});
        }
    }
    return entries;
}

std::string fieldCaption(const FieldEngine& engine, const FieldEntry& field)
{
    std::string caption = engine.env().text(field.row->text);
    const FieldRow* frame = findRow(engine.table(), field.row->place.group);
    if (field.row->text < 0 && frame)
        caption = engine.env().text(frame->text) + " " + caption;
    return caption;
}

std::optional<FieldEntry> findField(const DeclaredForm& form, FieldEngine& engine, std::string_view key)
{
    // form[.record].field: the record part is read, not searched for by building every key.
    if (!key.starts_with(form.key) || key.size() <= form.key.size() || key[form.key.size()] != '.')
        return std::nullopt;
    const std::string_view rest = key.substr(form.key.size() + 1);
    RecordSet& records = engine.records();
    for (const FieldRow& row : engine.table()) {
        if (!row.isDataField() || !rest.ends_with(row.key))
            continue;
        const std::size_t partLength = rest.size() - row.key.size();
        if (partLength == 1 || (partLength > 1 && rest[partLength - 1] != '.'))
            continue;
        const std::string_view part = rest.substr(0, partLength == 0 ? 0 : partLength - 1);
        const auto record = records.recordOfKey(part);
        if (!record)
            continue;
        if (engine.hasField(row, *record))
            return FieldEntry{std::string(key), &row, *record};
        // Records of several kinds may share a key (a port's mode, input and output rows).
        for (int other = 0; other < records.count(); ++other) {
            if (engine.hasField(row, other) && records.recordKey(other) == part)
                return FieldEntry{std::string(key), &row, other};
        }
    }
    return std::nullopt;
}

std::optional<std::string> typedText(const FieldEngine& engine, const FieldEntry& field,
                                     std::string_view text)
{
    const FieldRow& row = *field.row;
    // Lists, check boxes and orders take labels, not typed characters.
    if (row.control == Control::DropDown || row.control == Control::CheckBox ||
        row.control == Control::Order || row.input.filter == CharFilterKind::Any)
        return std::string(text);
    // An entry of an editable list is chosen, not typed.
    for (const std::string& label : engine.choiceLabels(row, field.record)) {
        if (lowered(label) == lowered(text))
            return std::string(text);
    }
    const bool number = isNumberFilter(row.input.filter);
    const std::string given = number ? trimmedText(text) : std::string(text);
    // The off text in any letter case is the off text as the field spells it.
    if (row.range.offText && lowered(trimmedText(given)) == lowered(engine.env().text(row.range.offText)))
        return engine.env().text(row.range.offText);
    // The length is left to the field, which cuts a longer text as the edit would not take it.
    auto filtered = filterText({row.input.filter, 0, engine.env().decimalSeparator, {}}, given);
    // A text field with its own refusal message refuses the text itself, with that message.
    if (!filtered && row.refusalText != 0)
        return std::string(text);
    return filtered;
}

EditResult enterFieldText(FieldEngine& engine, const FieldEntry& field, std::string_view text)
{
    const FieldRow& row = *field.row;
    if (row.control == Control::Order)
        return enterOrder(engine, field, text);
    if (row.control == Control::EditableDropDown) {
        // A list entry typed with other letter case is the entry as the list spells it.
        for (const std::string& label : engine.choiceLabels(row, field.record)) {
            if (lowered(label) == lowered(text))
                return engine.commitText(row, field.record, label);
        }
    }
    return engine.commitText(row, field.record, text);
}

} // namespace rps
