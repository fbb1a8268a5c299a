#pragma once
// The declaration of a form's fields: one constant row per item saying what the user sees
// (caption, control, place), where the value lives (area or record, offset, width, scale),
// how typed numbers are limited (range, step, off value) and what a list offers. The field
// engine reads and writes the bytes from these rows; the screen, the command-line tool and
// printing all walk the same tables.
//
// A row reads like the form:
//   spin(kItemTot, "tot", 1210, u8(0x0290).times(2), Range{0.5, 30.0, 0.5}.offAt(0xFF, 849))
//   check(kItemUserLimit, "user-limit", 921, u8(40), OnOff{.on = 0x00, .off = 0xFF})
#include "forms/fields/CharFilter.h"
#include "forms/fields/GridColumn.h"
#include "forms/fields/TextCodec.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rps::fields {

enum class Control {
    None, // a value the form does not show as a control of its own (a grid cell only)
    Edit,
    EditWithSpin,
    DropDown,
    EditableDropDown,
    CheckBox,
    GroupFrame,
    PushButton,
    Order, // a list whose entries are moved, not typed (a permutation of stored bytes)
    Grid,  // a framed grid whose cells are the rows placed in it
    Label, // a read-only text the form's rules compute (no bytes, no key)
};

// Where a field's bytes are: inside the current record of the form's record set, or at a
// fixed offset of one of the image's areas.
enum class Area { Record, Main, Aux, Local };

enum class Width {
    None, // no bytes of its own (group frames, buttons, the record selector)
    U8,
    U16,
    U32,
    Bcd16,       // four decimal digits in a u16, most significant nibble first
    Bits8,       // the masked bits of one byte, read shifted down
    Bits16,      // the masked bits of a u16 word (two items may share one word)
    Text,        // fixed-width text: padded with spaces, all blank stored as 0xFF, unless it
                 // names its own pad byte and codec
    RecordBit,   // bit (record index) of a bit map that starts at the offset
    Permutation, // `length` bytes holding an order of the values 0..length-1
};

struct Storage {
    Area area = Area::Record;
    Width width = Width::None;
    std::size_t offset = 0;
    uint32_t mask = 0;  // Bits8/Bits16
    int length = 0;     // Text/Permutation: bytes
    double scale = 1.0; // stored = shown x scale
    int pad = -1;       // Text: the byte after the last character; negative = the space rule
    TextCodec textCodec = TextCodec::Plain;
    bool isSigned = false; // U16/U32 read as two's complement numbers
    int shownOffset = 0;   // shown = stored / scale + shownOffset (a stored 0 shown as 1)
    int part = 0;          // Record: 0 = the record's bytes, n = its part n (RecordSet::recordPart)

    constexpr Storage times(double factor) const
    {
        Storage s = *this;
        s.scale = factor;
        return s;
    }
    constexpr Storage shownPlus(int offset) const
    {
        Storage s = *this;
        s.shownOffset = offset;
        return s;
    }
    constexpr Storage in(Area where) const
    {
        Storage s = *this;
        s.area = where;
        return s;
    }
    // A text padded with `byte` (an all-blank text is all pad bytes).
    constexpr Storage padded(uint8_t byte) const
    {
        Storage s = *this;
        s.pad = byte;
        return s;
    }
    // Bytes a record keeps apart from its own (an output's level beside its remote entry).
    constexpr Storage ofPart(int n) const
    {
        Storage s = *this;
        s.part = n;
        return s;
    }
    constexpr Storage codec(TextCodec how) const
    {
        Storage s = *this;
        s.textCodec = how;
        return s;
    }
    constexpr TextLayout layout() const { return {length, pad, textCodec}; }
    constexpr bool hasBytes() const { return width != Width::None; }
};

constexpr Storage stored(Width width, std::size_t offset, uint32_t mask = 0, int length = 0)
{
    Storage s;
    s.width = width;
    s.offset = offset;
    s.mask = mask;
    s.length = length;
    return s;
}
constexpr Storage none()
{
    return {};
}
constexpr Storage u8(std::size_t offset)
{
    return stored(Width::U8, offset);
}
constexpr Storage u16(std::size_t offset)
{
    return stored(Width::U16, offset);
}
constexpr Storage u32(std::size_t offset)
{
    return stored(Width::U32, offset);
}
constexpr Storage s16(std::size_t offset)
{
    Storage s = stored(Width::U16, offset);
    s.isSigned = true;
    return s;
}
constexpr Storage s32(std::size_t offset)
{
    Storage s = stored(Width::U32, offset);
    s.isSigned = true;
    return s;
}
constexpr Storage bcd(std::size_t offset)
{
    return stored(Width::Bcd16, offset);
}
constexpr Storage bits8(std::size_t offset, uint8_t mask)
{
    return stored(Width::Bits8, offset, mask);
}
constexpr Storage bits16(std::size_t offset, uint16_t mask)
{
    return stored(Width::Bits16, offset, mask);
}
constexpr Storage text(std::size_t offset, int length)
{
    return stored(Width::Text, offset, 0, length);
}
constexpr Storage recordBit(Area area, std::size_t bitMapOffset)
{
    return stored(Width::RecordBit, bitMapOffset).in(area);
}
constexpr Storage permutation(std::size_t offset, int length)
{
    return stored(Width::Permutation, offset, 0, length);
}

// Limits of a typed or spun number (in shown units). Typed numbers are clamped into
// [min, max] and rounded down to the step; the spin buttons wrap round at both ends. An off
// value is a stored value outside the range that shows its own text; an alias is a stored
// value shown as a number of the range (a stored 0xFF shown as 180).
struct Range {
    double min = 0;
    double max = 0;
    double step = 1;
    bool hasOff = false;
    uint32_t offRaw = 0;
    int offText = 0;              // language text shown for the off value, 0 = blank
    bool spinsThroughOff = false; // max -> off -> min; otherwise off spins as if below min
    bool hasAlias = false;
    uint32_t aliasRaw = 0;
    double aliasShown = 0;
    bool belowMinIsOff = false; // a typed number below the range stores the off value
    bool emptyIsMin = false;    // an emptied field stores the minimum, not the off value
    bool blankOutside = false;  // a stored number outside the range shows as an empty field

    constexpr Range offAt(uint32_t raw, int text = 0, bool spinThrough = true) const
    {
        Range r = *this;
        r.hasOff = true;
        r.offRaw = raw;
        r.offText = text;
        r.spinsThroughOff = spinThrough;
        return r;
    }
    // The off value sits just below the range: a typed number below the minimum is off,
    // the spin buttons pass through off between the maximum and the minimum.
    constexpr Range offBelowMin(uint32_t raw, int text) const
    {
        Range r = offAt(raw, text, true);
        r.belowMinIsOff = true;
        return r;
    }
    constexpr Range emptyStoresMin() const
    {
        Range r = *this;
        r.emptyIsMin = true;
        return r;
    }
    constexpr Range blankWhenOutside() const
    {
        Range r = *this;
        r.blankOutside = true;
        return r;
    }
    constexpr Range readsAs(uint32_t raw, double shown) const
    {
        Range r = *this;
        r.hasAlias = true;
        r.aliasShown = shown;
        r.aliasRaw = raw;
        return r;
    }
    constexpr bool isSet() const { return max > min || hasOff; }
};

// One entry of a list: the stored value and the language text of its label. A text of 0
// takes the label from the row's codec.
struct Choice {
    uint32_t value;
    int text;
};

// What a check box stores. With anyOtherIsOn, every stored value but `off` reads as ticked.
struct OnOff {
    uint32_t on = 1;
    uint32_t off = 0;
    bool anyOtherIsOn = false;
};

struct Input {
    CharFilterKind filter = CharFilterKind::Any;
    int maxLength = 0;
};

struct Place {
    int page = 0;
    int column = 0;
    int group = -1;   // item number of the group frame or grid holding it
    int cellRow = -1; // in a grid: the row and column of its cell
    int cellColumn = -1;

    constexpr bool isCell() const { return cellRow >= 0; }
};

// The shape of a grid of fields: its column headers and widths (pixels at the default
// font), the labels of its rows, and what a list cell shows while its value is not offered.
struct GridHead {
    int text;
    int width;
    CellAlign align = CellAlign::Left;
};
// A record grid shows records first .. first + count - 1 of the form's record set, one row per
// record, its columns the rows placed in it with inColumn(); with row commands it offers whole-
// record copy, paste and delete.
struct RecordRows {
    int first = 0;
    int count = 0;
    bool rowCommands = false;
    uint8_t emptyByte = 0xFF; // what a deleted record is filled with
    // With a record selector the grid shows the group it picked: group g starts at record
    // first + g x groupStride (0: the grid always shows the same records).
    int groupStride = 0;
    // The first row of each group is a blank row holding no record: not edited, not numbered,
    // and row commands start below it.
    bool blankFirstRow = false;
    bool sortable = false; // a header click sorts the rows by that column (the fixed one restores)
};
// "No.", the header over the record numbers of a record grid.
inline constexpr int kRecordNumberText = 846;

struct GridShape {
    std::span<const GridHead> columns;
    std::span<const int> rowTexts;
    int labelWidth = 100;
    int unlistedText = 0;
    RecordRows records{};
    int labelText = 0; // header of the fixed column (kRecordNumberText over record numbers)

    constexpr bool showsRecords() const { return records.count > 0; }
};

struct FieldEnv;

// Text form of a coded value (frequency, QT/DQT, RAN, name ...), for fields whose bytes do
// not read as a plain number. parse() also says whether the value lay outside the range
// the form warns about.
struct CodecParse {
    uint32_t raw = 0;
    bool outsideRange = false;
};
struct FieldCodec {
    std::string (*format)(uint32_t raw, const FieldEnv& env);
    CodecParse (*parse)(std::string_view text, const FieldEnv& env);
    // The values a list of this codec offers, in order; nullptr for none.
    std::vector<uint32_t> (*choices)(const FieldEnv& env) = nullptr;
};

struct FieldRow {
    int item = -1;
    std::string_view key; // stable name of the field within its form, "" = not a data field
    int text = 0;         // caption language text
    Control control = Control::None;
    Storage storage;
    Range range;
    std::span<const Choice> choices; // the full table of labels
    OnOff onOff;
    Input input;
    const FieldCodec* codec = nullptr;
    Place place;
    int rangeWarning = 0; // language text shown when a typed value lay outside the range
    int refusalText = 0;  // language text shown when a text's codec refuses it
    const GridShape* grid = nullptr;

    constexpr FieldRow at(Place where) const
    {
        FieldRow r = *this;
        r.place = where;
        return r;
    }
    // A cell of the grid `gridItem` (on the grid's page).
    constexpr FieldRow inCell(const FieldRow& gridRow, int row, int column) const
    {
        FieldRow r = *this;
        r.place = gridRow.place;
        r.place.group = gridRow.item;
        r.place.cellRow = row;
        r.place.cellColumn = column;
        return r;
    }
    // A column of the record grid `gridRow`: the field of every record the grid shows.
    constexpr FieldRow inColumn(const FieldRow& gridRow, int column) const
    {
        return inCell(gridRow, 0, column);
    }
    constexpr FieldRow filter(Input in) const
    {
        FieldRow r = *this;
        r.input = in;
        return r;
    }
    constexpr FieldRow coded(const FieldCodec& c) const
    {
        FieldRow r = *this;
        r.codec = &c;
        return r;
    }
    constexpr FieldRow warnOutside(int textNumber) const
    {
        FieldRow r = *this;
        r.rangeWarning = textNumber;
        return r;
    }
    constexpr FieldRow refusedWith(int textNumber) const
    {
        FieldRow r = *this;
        r.refusalText = textNumber;
        return r;
    }
    constexpr FieldRow shownAs(Control kind) const
    {
        FieldRow r = *this;
        r.control = kind;
        return r;
    }
    constexpr bool isDataField() const { return !key.empty() && storage.hasBytes(); }
};

// Builders, one per control kind.
constexpr FieldRow field(int item, std::string_view key, int text, Control control, Storage storage = {})
{
    FieldRow r;
    r.item = item;
    r.key = key;
    r.text = text;
    r.control = control;
    r.storage = storage;
    return r;
}
constexpr FieldRow edit(int item, std::string_view key, int text, Storage storage, Input input = {})
{
    FieldRow r = field(item, key, text, Control::Edit, storage);
    r.input = input;
    return r;
}
constexpr FieldRow spin(int item, std::string_view key, int text, Storage storage, Range range)
{
    FieldRow r = field(item, key, text, Control::EditWithSpin, storage);
    r.range = range;
    r.input = {CharFilterKind::Digits, 0};
    return r;
}
constexpr FieldRow list(int item, std::string_view key, int text, Storage storage,
                        std::span<const Choice> choices = {})
{
    FieldRow r = field(item, key, text, Control::DropDown, storage);
    r.choices = choices;
    return r;
}
constexpr FieldRow combo(int item, std::string_view key, int text, Storage storage, const FieldCodec& codec,
                         Input input = {})
{
    FieldRow r = field(item, key, text, Control::EditableDropDown, storage);
    r.codec = &codec;
    r.input = input;
    return r;
}
constexpr FieldRow check(int item, std::string_view key, int text, Storage storage, OnOff onOff)
{
    FieldRow r = field(item, key, text, Control::CheckBox, storage);
    r.onOff = onOff;
    return r;
}
constexpr FieldRow group(int item, int text)
{
    return field(item, {}, text, Control::GroupFrame);
}
constexpr FieldRow grid(int item, int text, const GridShape& shape)
{
    FieldRow r = field(item, {}, text, Control::Grid);
    r.grid = &shape;
    return r;
}
// A read-only line whose text the rules compute (FieldRules::computedText); its caption text,
// when not 0, stands in front of it.
constexpr FieldRow label(int item, int text = 0)
{
    return field(item, {}, text, Control::Label);
}
// The caption of a template that shows a plain number ("1" ... "8") rather than a language text.
constexpr int numberCaption(int number)
{
    return -number;
}
constexpr FieldRow button(int item, int text)
{
    return field(item, {}, text, Control::PushButton);
}
constexpr FieldRow order(int item, std::string_view key, int text, Storage storage,
                         std::span<const Choice> entries)
{
    FieldRow r = field(item, key, text, Control::Order, storage);
    r.choices = entries;
    return r;
}

using FieldTable = std::span<const FieldRow>;

// The row of an item, or nullptr.
const FieldRow* findRow(FieldTable table, int item);
const FieldRow* findRow(FieldTable table, std::string_view key);

} // namespace rps::fields
