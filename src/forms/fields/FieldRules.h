#pragma once
// What a form decides beyond its fields' storage: whether a field may be edited for this
// record, record-dependent lists, and what an edit does besides storing its own bytes
// (keeping the record consistent, cleaning up what referred to a removed value). Each form
// with such rules has one small class implementing this interface.
#include "forms/fields/FieldTable.h"
#include "model/FrequencyLimits.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace rps::fields {

// Language text lookup (text number -> text).
using TextLookup = std::function<std::string(int)>;

// What codecs and rules may need to know besides the bytes.
struct FieldEnv {
    TextLookup texts;
    FrequencyLimits limits;
    char decimalSeparator = '.';

    // A negative number is a number caption (numberCaption): the number itself.
    std::string text(int number) const
    {
        if (number < 0)
            return std::to_string(-number);
        return number > 0 && texts ? texts(number) : std::string();
    }
};

// The areas an edit wrote to, so exactly the forms that show them re-read.
enum AreaFlag : unsigned {
    kTouchesMain = 1u << 0,
    kTouchesAux = 1u << 1,
    kTouchesLocal = 1u << 2,
    kTouchesChannels = 1u << 3, // channel records or the channel index
};

// The outcome of one edit: a message to show and whether it was a warning (the value is
// stored) or a refusal (nothing stored, the focus goes back to the field, the command-line
// tool fails); whether anything changed, whether records were created or removed, and which
// areas were touched.
struct EditResult {
    int message = 0;
    bool refused = false;
    bool changed = false;
    bool structureChanged = false;
    unsigned touched = 0;
    int moveTo = -1; // a record the cursor goes to (the one already holding a typed value)

    bool isWarning() const { return message != 0 && !refused; }
};

enum class EditOrigin {
    Typed,   // text typed into the field and left
    Chosen,  // an entry picked from the field's list
    Checked, // a check box ticked or cleared
    Spun,    // the spin buttons
    Moved,   // an entry of an order list moved
};

// One edit on its way into the image.
struct FieldEdit {
    const FieldRow& row;
    int record;
    EditOrigin origin;
    std::string_view text; // as typed or chosen
    uint32_t raw = 0;      // the value about to be stored
};

enum class StoreStep {
    Store, // the engine stores the value into the row's bytes
    Done,  // the rules handled the edit (or refused it); nothing more is stored
};

class FieldRules {
public:
    virtual ~FieldRules() = default;
    virtual bool enabled(const FieldRow& /*row*/, int /*record*/) const { return true; }
    // Whether a record has the field at all: a form whose records are of several kinds
    // (a port's mode, its input row, its output row) gives each kind its own rows.
    virtual bool hasField(const FieldRow& /*row*/, int /*record*/) const { return true; }
    // Whether a field shows nothing for this record (a choice while the record is empty).
    virtual bool showsEmpty(const FieldRow& /*row*/, int /*record*/) const { return false; }
    // The text of a label row for this record (a channel's name line, a counter).
    virtual std::string computedText(const FieldRow& /*row*/, int /*record*/) const { return {}; }
    // The entries a list offers for this record; nothing = the row's own table or codec.
    virtual std::optional<std::vector<Choice>> choices(const FieldRow& /*row*/, int /*record*/) const
    {
        return std::nullopt;
    }
    // Called before the value is stored: may create the record, handle the edit itself or
    // refuse it (result.refused with the message).
    virtual StoreStep beforeStore(FieldEdit& /*edit*/, EditResult& /*result*/) { return StoreStep::Store; }
    // Called after the value was stored: consistency and clean-up elsewhere.
    virtual void afterStore(const FieldEdit& /*edit*/, EditResult& /*result*/) {}
    // Called after whole records first..last were pasted or deleted: the same clean-up as
    // after an edit of their fields.
    virtual void afterRecords(int /*first*/, int /*last*/, EditResult& /*result*/) {}
};

} // namespace rps::fields
