#include "forms/fields/FieldEngine.h"

#include "model/ByteOrder.h"
#include "model/FrequencyText.h"
#include "model/ValueHelpers.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <utility>

namespace rps::fields {

namespace {

int shiftOf(uint32_t mask)
{
    return mask == 0 ? 0 : std::countr_zero(mask);
}

bool sameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

std::string trimmed(std::string_view text)
{
    std::string t = trimTrailingSpaces(text);
    const auto first = t.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : t.substr(first);
}

// The number the bytes hold: signed fields read their bits as two's complement.
int64_t storedNumber(const Storage& s, uint32_t raw)
{
    if (!s.isSigned)
        return raw;
    return s.width == Width::U16 ? static_cast<int64_t>(static_cast<int16_t>(raw))
                                 : static_cast<int64_t>(static_cast<int32_t>(raw));
}

// The bits a stored number is written as; unsigned fields never go below 0.
uint32_t storedBits(const Storage& s, int64_t number)
{
    if (!s.isSigned)
        return static_cast<uint32_t>(std::max<int64_t>(number, 0));
    const auto bits = static_cast<uint32_t>(number);
    return s.width == Width::U16 ? bits & 0xFFFFu : bits;
}

// A limit or step of the range (in shown units) in stored units.
int64_t toStored(const Storage& s, double shown)
{
    return std::llround((shown - s.shownOffset) * s.scale);
}

bool isWholeSteps(const Range& range, double scale)
{
    return scale == 1.0 && range.step == std::floor(range.step) && range.min == std::floor(range.min);
}

} // namespace

FieldEngine::FieldEngine(FieldTable table, RecordSet& records, ImageSpans areas, FieldEnv env,
                         FieldRules* rules)
    : table_(table), records_(records), areas_(areas), env_(std::move(env)), rules_(rules)
{
}

std::span<uint8_t> FieldEngine::bytesOf(const FieldRow& row, int record) const
{
    switch (row.storage.area) {
    case Area::Record:
        return row.storage.part > 0 ? records_.recordPart(record, row.storage.part) : records_.record(record);
    case Area::Main:
        return areas_.main;
    case Area::Aux:
        return areas_.aux;
    case Area::Local:
        return areas_.local;
    }
    return {};
}

std::optional<FieldBytes> FieldEngine::bytesInImage(const FieldRow& row, int record) const
{
    const Storage& s = row.storage;
    const std::span<uint8_t> bytes = bytesOf(row, record);
    std::size_t start = s.offset;
    std::size_t length = 0;
    switch (s.width) {
    case Width::None:
        return std::nullopt;
    case Width::U8:
    case Width::Bits8:
        length = 1;
        break;
    case Width::U16:
    case Width::Bcd16:
    case Width::Bits16:
        length = 2;
        break;
    case Width::U32:
        length = 4;
        break;
    case Width::Text:
    case Width::Permutation:
        length = static_cast<std::size_t>(std::max(s.length, 0));
        break;
    case Width::RecordBit:
        if (record < 0)
            return std::nullopt;
        start += static_cast<std::size_t>(record) / 8;
        length = 1;
        break;
    }
    if (bytes.empty() || length == 0 || start + length > bytes.size())
        return std::nullopt;
    // A record's bytes are a window into one of the areas: the offset is counted from the area.
    const auto first = reinterpret_cast<std::uintptr_t>(bytes.data() + start);
    const std::pair<Area, std::span<uint8_t>> areas[] = {
        {Area::Main, areas_.main}, {Area::Aux, areas_.aux}, {Area::Local, areas_.local}};
    for (const auto& [area, span] : areas) {
        const auto begin = reinterpret_cast<std::uintptr_t>(span.data());
        if (!span.empty() && first >= begin && first + length <= begin + span.size())
            return FieldBytes{area, first - begin, length};
    }
    return std::nullopt;
}

std::optional<uint32_t> FieldEngine::raw(const FieldRow& row, int record) const
{
    const Storage& s = row.storage;
    const std::span<uint8_t> bytes = bytesOf(row, record);
    if (bytes.empty() || s.width == Width::None || s.width == Width::Text || s.width == Width::Permutation)
        return std::nullopt;
    if (s.width == Width::RecordBit) {
        // A record bit exists only while its record does.
        if (record < 0 || (row.storage.area != Area::Record && records_.record(record).empty()))
            return std::nullopt;
        const std::size_t byte = s.offset + static_cast<std::size_t>(record) / 8;
        if (byte >= bytes.size())
            return std::nullopt;
        return (bytes[byte] >> (record % 8)) & 1u;
    }
    const std::size_t size = s.width == Width::U32                               ? 4
                             : (s.width == Width::U8 || s.width == Width::Bits8) ? 1
                                                                                 : 2;
    if (s.offset + size > bytes.size())
        return std::nullopt;
    switch (s.width) {
    case Width::U8:
        return bytes[s.offset];
    case Width::U16:
    case Width::Bcd16:
        return getU16(bytes, s.offset);
    case Width::U32:
        return getU32(bytes, s.offset);
    case Width::Bits8:
        return (bytes[s.offset] & s.mask) >> shiftOf(s.mask);
    case Width::Bits16:
        return (getU16(bytes, s.offset) & s.mask) >> shiftOf(s.mask);
    default:
        return std::nullopt;
    }
}

bool FieldEngine::checked(const FieldRow& row, int record) const
{
    const auto value = raw(row, record);
    if (!value)
        return false;
    return row.onOff.anyOtherIsOn ? *value != row.onOff.off : *value == row.onOff.on;
}

bool FieldEngine::enabled(const FieldRow& row, int record) const
{
    return rules_ ? rules_->enabled(row, record) : true;
}

bool FieldEngine::hasField(const FieldRow& row, int record) const
{
    return rules_ ? rules_->hasField(row, record) : true;
}

std::vector<Choice> FieldEngine::choices(const FieldRow& row, int record) const
{
    if (rules_) {
        if (auto own = rules_->choices(row, record))
            return *own;
    }
    if (!row.choices.empty())
        return {row.choices.begin(), row.choices.end()};
    std::vector<Choice> list;
    if (row.codec && row.codec->choices) {
        for (uint32_t value : row.codec->choices(env_))
            list.push_back({value, 0});
    }
    return list;
}

std::string FieldEngine::label(const FieldRow& row, const Choice& choice) const
{
    if (choice.text == 0 && row.codec)
        return row.codec->format(choice.value, env_);
    return env_.text(choice.text);
}

std::vector<std::string> FieldEngine::choiceLabels(const FieldRow& row, int record) const
{
    std::vector<std::string> labels;
    for (const Choice& choice : choices(row, record))
        labels.push_back(label(row, choice));
    return labels;
}

std::string FieldEngine::formatNumber(const FieldRow& row, uint32_t value) const
{
    const Range& range = row.range;
    if (range.hasOff && value == range.offRaw)
        return env_.text(range.offText);
    double shown = 0;
    if (range.hasAlias && value == range.aliasRaw) {
        shown = range.aliasShown;
    } else if (row.storage.width == Width::Bcd16) {
        const auto decimal = fromBcd(static_cast<uint16_t>(value));
        if (!decimal)
            return {};
        shown = *decimal / row.storage.scale;
    } else {
        shown = static_cast<double>(storedNumber(row.storage, value)) / row.storage.scale +
                row.storage.shownOffset;
    }
    if (range.belowMinIsOff && shown < range.min - 1e-9 && shown >= 0)
        return env_.text(range.offText);
    // Compared in stored units, so that 0.1 steps do not miss the ends by a rounding error; a
    // negative scale turns the range round.
    const bool alias = range.hasAlias && value == range.aliasRaw;
    const long long atMin = toStored(row.storage, range.min);
    const long long atMax = toStored(row.storage, range.max);
    const long long lowest = std::min(atMin, atMax);
    const long long highest = std::max(atMin, atMax);
    const long long stored = toStored(row.storage, shown); // the number the bytes hold
    if (range.blankOutside && range.isSet() && !alias && (stored < lowest || stored > highest))
        return {};
    const int decimals = range.isSet() ? decimalsOfStep(range.step) : 0;
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, shown);
    std::string text = buffer;
    if (env_.decimalSeparator != '.')
        std::replace(text.begin(), text.end(), '.', env_.decimalSeparator);
    return text;
}

std::vector<std::string> FieldEngine::orderLabels(const FieldRow& row, int record) const
{
    std::vector<std::string> labels;
    const std::span<uint8_t> bytes = bytesOf(row, record);
    const Storage& s = row.storage;
    if (s.width != Width::Permutation || s.offset + static_cast<std::size_t>(s.length) > bytes.size())
        return labels;
    for (int i = 0; i < s.length; ++i) {
        const uint8_t entry = bytes[s.offset + static_cast<std::size_t>(i)];
        const auto found = std::find_if(row.choices.begin(), row.choices.end(),
                                        [entry](const Choice& c) { return c.value == entry; });
        labels.push_back(found != row.choices.end() ? label(row, *found) : std::to_string(entry));
    }
    return labels;
}

std::string FieldEngine::shown(const FieldRow& row, int record) const
{
    if (row.control == Control::Label)
        return rules_ ? rules_->computedText(row, record) : std::string();
    if (rules_ && rules_->showsEmpty(row, record))
        return {};
    const std::span<uint8_t> bytes = bytesOf(row, record);
    if (bytes.empty() || !row.storage.hasBytes())
        return {};
    const Storage& s = row.storage;
    if (s.width == Width::Text) {
        if (s.offset + static_cast<std::size_t>(s.length) > bytes.size())
            return {};
        return decodeText(s.layout(), bytes.subspan(s.offset, static_cast<std::size_t>(s.length)));
    }
    if (s.width == Width::Permutation) {
        std::string text;
        for (const std::string& entry : orderLabels(row, record))
            text += (text.empty() ? "" : ", ") + entry;
        return text;
    }
    const auto value = raw(row, record);
    if (!value)
        return {};
    if (row.control == Control::CheckBox)
        return env_.text(checked(row, record) ? kCheckOnText : kCheckOffText);
    if (row.codec)
        return row.codec->format(*value, env_);
    if (row.control == Control::DropDown || !row.choices.empty()) {
        // The record's own list names the value first; the full table names any other.
        for (const Choice& choice : choices(row, record)) {
            if (choice.value == *value)
                return label(row, choice);
        }
        for (const Choice& choice : row.choices) {
            if (choice.value == *value)
                return label(row, choice);
        }
        return {};
    }
    return formatNumber(row, *value);
}

std::optional<uint32_t> FieldEngine::parseNumber(const FieldRow& row, std::string_view typed) const
{
    const Range& range = row.range;
    const std::string text = trimmed(typed);
    if (text.empty() && range.hasOff && !range.emptyIsMin)
        return range.offRaw;
    if (range.hasOff && range.offText && text == env_.text(range.offText))
        return range.offRaw;
    const double scale = row.storage.scale;
    double value = 0;
    if (text.empty() && range.emptyIsMin) {
        value = range.min;
    } else if (range.belowMinIsOff && parseDecimal(text, env_.decimalSeparator) < range.min) {
        return range.offRaw;
    } else if (!range.isSet() || range.max < range.min) {
        value = static_cast<double>(parseTypedInteger(text));
    } else if (isWholeSteps(range, scale)) {
        value = static_cast<double>(clampInteger(parseTypedInteger(text), static_cast<int64_t>(range.min),
                                                 static_cast<int64_t>(range.max),
                                                 static_cast<int64_t>(range.step)));
    } else {
        value = clampDecimal(parseDecimal(text, env_.decimalSeparator), range.min, range.max, range.step);
    }
    const int64_t stored = toStored(row.storage, value);
    if (row.storage.width == Width::Bcd16)
        return toBcd(static_cast<unsigned>(std::clamp<int64_t>(stored, 0, 9999)));
    return storedBits(row.storage, stored);
}

EditResult FieldEngine::commitText(const FieldRow& row, int record, std::string_view text)
{
    if (row.control == Control::DropDown)
        return choose(row, record, text);
    if (row.control == Control::CheckBox) {
        const std::string t = trimmed(text);
        if (sameLetters(t, env_.text(kCheckOnText)))
            return setChecked(row, record, true);
        if (sameLetters(t, env_.text(kCheckOffText)))
            return setChecked(row, record, false);
        return {0, true};
    }
    if (row.storage.width == Width::Text) {
        // A text the codec cannot store (a character it has no byte for, a DTMF code too
        // long to be the code typed) is refused as a whole: a shortened text is another text.
        if (!encodeText(row.storage.layout(), text))
            return {row.refusalText, true};
        return store(row, record, 0, EditOrigin::Typed, text);
    }
    if (row.codec) {
        const CodecParse parsed = row.codec->parse(text, env_);
        const int warning = parsed.outsideRange ? row.rangeWarning : 0;
        return store(row, record, parsed.raw, EditOrigin::Typed, text, warning);
    }
    const auto value = parseNumber(row, text);
    if (!value)
        return {0, true};
    return store(row, record, *value, EditOrigin::Typed, text);
}

EditResult FieldEngine::choose(const FieldRow& row, int record, std::string_view wanted)
{
    const std::vector<Choice> offered = choices(row, record);
    const Choice* match = nullptr;
    std::vector<std::string> labels;
    for (const Choice& choice : offered)
        labels.push_back(label(row, choice));
    for (std::size_t i = 0; i < offered.size() && !match; ++i) {
        if (labels[i] == wanted)
            match = &offered[i];
    }
    for (std::size_t i = 0; i < offered.size() && !match; ++i) {
        if (sameLetters(labels[i], trimmed(wanted)))
            match = &offered[i];
    }
    if (!match)
        return {0, true};
    const std::string chosen = label(row, *match);
    return store(row, record, match->value, EditOrigin::Chosen, chosen);
}

EditResult FieldEngine::setChecked(const FieldRow& row, int record, bool on)
{
    // A box set to what it already shows writes nothing (a courtesy tone period stays as it is).
    if (raw(row, record) && checked(row, record) == on)
        return {};
    return store(row, record, on ? row.onOff.on : row.onOff.off, EditOrigin::Checked, {});
}

EditResult FieldEngine::spin(const FieldRow& row, int record, int direction)
{
    const auto current = raw(row, record);
    if (!current && !records_.record(record).empty())
        return {};
    const Range& range = row.range;
    const double scale = row.storage.scale;
    auto minRaw = toStored(row.storage, range.min);
    auto maxRaw = toStored(row.storage, range.max);
    const int64_t stepRaw = std::max<int64_t>(1, std::llabs(std::llround(range.step * scale)));
    if (minRaw > maxRaw) {
        // A negative scale (−dBm × 10): a step up in shown units is a step down in stored ones.
        std::swap(minRaw, maxRaw);
        direction = -direction;
    }
    const bool isOff = range.hasOff && current && *current == range.offRaw;
    int64_t value = 0;
    if (isOff)
        value = range.spinsThroughOff ? range.offRaw : minRaw - stepRaw;
    else if (range.hasAlias && current && *current == range.aliasRaw)
        value = toStored(row.storage, range.aliasShown);
    else if (row.storage.width == Width::Bcd16)
        value = current ? fromBcd(static_cast<uint16_t>(*current)).value_or(0) : 0;
    else
        value = current ? storedNumber(row.storage, *current) : 0;
    const int64_t next = range.hasOff && range.spinsThroughOff
                             ? spinStepWithOff(value, direction, minRaw, maxRaw, range.offRaw, stepRaw)
                             : spinStep(value, direction, minRaw, maxRaw, stepRaw);
    uint32_t stored = static_cast<uint32_t>(next);
    if (range.hasOff && next == static_cast<int64_t>(range.offRaw))
        stored = range.offRaw;
    else if (row.storage.width == Width::Bcd16)
        stored = toBcd(static_cast<unsigned>(next));
    else
        stored = storedBits(row.storage, next);
    return store(row, record, stored, EditOrigin::Spun, {});
}

EditResult FieldEngine::moveEntry(const FieldRow& row, int record, int from, int to)
{
    const int length = row.storage.length;
    if (row.storage.width != Width::Permutation || from < 0 || to < 0 || from >= length || to >= length)
        return {0, true};
    return store(row, record, static_cast<uint32_t>(from << 8 | to), EditOrigin::Moved, {});
}

EditResult FieldEngine::store(const FieldRow& row, int record, uint32_t value, EditOrigin origin,
                              std::string_view text, int warning)
{
    EditResult result;
    if (!hasField(row, record) || !enabled(row, record))
        return {0, true};
    FieldEdit edit{row, record, origin, text, value};
    if (rules_ && rules_->beforeStore(edit, result) == StoreStep::Done) {
        if (result.structureChanged)
            records_.reload();
        return result;
    }
    if (result.refused)
        return result;
    if (result.structureChanged)
        records_.reload();
    if (bytesOf(row, record).empty())
        return result;
    write(row, record, edit.raw, text);
    result.changed = true;
    result.touched |= row.storage.area == Area::Aux     ? kTouchesAux
                      : row.storage.area == Area::Local ? kTouchesLocal
                                                        : kTouchesMain;
    if (warning && origin == EditOrigin::Typed && !result.message)
        result.message = warning;
    if (rules_)
        rules_->afterStore(edit, result);
    if (result.structureChanged)
        records_.reload();
    return result;
}

void FieldEngine::write(const FieldRow& row, int record, uint32_t value, std::string_view text)
{
    const Storage& s = row.storage;
    const std::span<uint8_t> bytes = bytesOf(row, record);
    const auto shift = shiftOf(s.mask);
    switch (s.width) {
    case Width::U8:
        bytes[s.offset] = static_cast<uint8_t>(value);
        break;
    case Width::U16:
    case Width::Bcd16:
        setU16(bytes, s.offset, static_cast<uint16_t>(value));
        break;
    case Width::U32:
        setU32(bytes, s.offset, value);
        break;
    case Width::Bits8:
        bytes[s.offset] = static_cast<uint8_t>((bytes[s.offset] & ~s.mask) | ((value << shift) & s.mask));
        break;
    case Width::Bits16: {
        const uint32_t word = getU16(bytes, s.offset);
        setU16(bytes, s.offset, static_cast<uint16_t>((word & ~s.mask) | ((value << shift) & s.mask)));
        break;
    }
    case Width::RecordBit: {
        uint8_t& byte = bytes[s.offset + static_cast<std::size_t>(record) / 8];
        const auto bit = static_cast<uint8_t>(1u << (record % 8));
        byte = static_cast<uint8_t>(value ? (byte | bit) : (byte & ~bit));
        break;
    }
    case Width::Text:
        if (const auto encoded = encodeText(s.layout(), text)) {
            if (s.offset + encoded->size() <= bytes.size())
                std::copy(encoded->begin(), encoded->end(),
                          bytes.begin() + static_cast<std::ptrdiff_t>(s.offset));
        }
        break;
    case Width::Permutation: {
        const auto from = static_cast<std::ptrdiff_t>(value >> 8);
        const auto to = static_cast<std::ptrdiff_t>(value & 0xFF);
        auto first = bytes.begin() + static_cast<std::ptrdiff_t>(s.offset);
        if (from < to)
            std::rotate(first + from, first + from + 1, first + to + 1);
        else
            std::rotate(first + to, first + from, first + from + 1);
        break;
    }
    case Width::None:
        break;
    }
}

EditResult FieldEngine::recordsRewritten(int first, int last)
{
    EditResult result;
    result.changed = true;
    result.touched = kTouchesMain;
    if (rules_)
        rules_->afterRecords(first, last, result);
    return result;
}

std::string FieldEngine::key(std::string_view formKey, const FieldRow& row, int record) const
{
    std::string result(formKey);
    const std::string recordPart = records_.recordKey(record);
    if (!recordPart.empty())
        result += "." + recordPart;
    result += ".";
    result += row.key;
    return result;
}

const FieldRow* findRow(FieldTable table, int item)
{
    for (const FieldRow& row : table) {
        if (row.item == item)
            return &row;
    }
    return nullptr;
}

const FieldRow* findRow(FieldTable table, std::string_view key)
{
    for (const FieldRow& row : table) {
        if (!key.empty() && row.key == key)
            return &row;
    }
    return nullptr;
}

} // namespace rps::fields
