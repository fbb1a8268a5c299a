#include "forms/FieldPlaces.h"

#include "forms/FieldForms.h"

#include <array>
#include <map>
#include <memory>
#include <optional>

namespace rps {

namespace {

using fields::Area;
using fields::FieldRow;
using fields::Width;

std::size_t widthOf(const fields::Storage& s)
{
    switch (s.width) {
    case Width::U8:
    case Width::Bits8:
    case Width::RecordBit:
        return 1;
    case Width::U16:
    case Width::Bits16:
    case Width::Bcd16:
        return 2;
    case Width::U32:
        return 4;
    case Width::Text:
    case Width::Permutation:
        return static_cast<std::size_t>(s.length);
    case Width::None:
        break;
    }
    return 0;
}

// The bytes the field's storage lives in, as an offset range into the main area (false) or the
// auxiliary block (true); nothing for the local block or a record that does not exist.
struct Place {
    bool aux = false;
    std::size_t first = 0;
    std::size_t size = 0;
};

std::optional<Place> placeOf(ConfigImage& image, fields::FieldEngine& engine, const FieldRow& row, int record)
{
    const fields::Storage& s = row.storage;
    std::span<uint8_t> bytes;
    if (s.area == Area::Record)
        bytes = s.part > 0 ? engine.records().recordPart(record, s.part) : engine.records().record(record);
    else if (s.area == Area::Main)
        bytes = image.main();
    else if (s.area == Area::Aux)
        bytes = image.aux();
    const std::size_t size = widthOf(s);
    if (bytes.empty() || size == 0)
        return std::nullopt;
    std::size_t offset = s.offset;
    if (s.width == Width::RecordBit)
        offset += static_cast<std::size_t>(record) / 8;
    const uint8_t* start = bytes.data() + offset;
    for (const bool aux : {false, true}) {
        const std::span<uint8_t> area = aux ? image.aux() : image.main();
        if (start >= area.data() && start + size <= area.data() + area.size())
            return Place{aux, static_cast<std::size_t>(start - area.data()), size};
    }
    return std::nullopt;
}

std::array<std::map<std::size_t, std::string>, 2> placeNames(ConfigImage& image, const fields::FieldEnv& env)
{
    std::array<std::map<std::size_t, std::string>, 2> names;
    for (const DeclaredForm& form : declaredForms()) {
        const auto session = form.open(image, env);
        fields::FieldEngine& engine = session->engine();
        for (const FieldEntry& field : listFields(form, engine)) {
            const std::optional<Place> place = placeOf(image, engine, *field.row, field.record);
            if (!place)
                continue;
            std::string name = env.text(form.titleText);
            const std::string recordKey = engine.records().recordKey(field.record);
            if (!recordKey.empty())
                name += " " + recordKey;
            std::string caption = env.text(field.row->text);
            // A numbered field says what its frame holds ("Embedded Message 1", not "1").
            const FieldRow* frame = fields::findRow(engine.table(), field.row->place.group);
            if (field.row->text < 0 && frame)
                caption = env.text(frame->text) + " " + caption;
            name += " \"" + caption + "\" [" + field.key + "]";
            auto& area = names[place->aux ? 1 : 0];
            for (std::size_t i = 0; i < place->size; ++i)
                area.emplace(place->first + i, name);
        }
    }
    return names;
}

} // namespace

std::function<std::string(bool aux, std::size_t offset)> fieldPlaceLookup(ConfigImage& image,
                                                                          const fields::FieldEnv& env)
{
    // Built on the first question, a table of offset -> name per area (the first field wins).
    using Names = std::array<std::map<std::size_t, std::string>, 2>;
    auto names = std::make_shared<std::optional<Names>>();
    return [names, &image, env](bool aux, std::size_t offset) {
        if (!*names)
            *names = placeNames(image, env);
        const auto& area = (**names)[aux ? 1 : 0];
        const auto found = area.find(offset);
        return found == area.end() ? std::string() : found->second;
    };
}

} // namespace rps
