#include "forms/FieldPlaces.h"

#include "forms/FieldForms.h"

#include <array>
#include <map>
#include <memory>
#include <optional>

namespace rps {

namespace {

using fields::Area;

std::array<std::map<std::size_t, std::string>, 2> placeNames(ConfigImage& image, const fields::FieldEnv& env)
{
    std::array<std::map<std::size_t, std::string>, 2> names;
    for (const DeclaredForm& form : declaredForms()) {
        const auto session = form.open(image, env);
        fields::FieldEngine& engine = session->engine();
        for (const FieldEntry& field : listFields(form, engine)) {
            const std::optional<fields::FieldBytes> place = engine.bytesInImage(*field.row, field.record);
            if (!place || (place->area != Area::Main && place->area != Area::Aux))
                continue;
            std::string name = env.text(form.titleText);
            const std::string recordKey = engine.records().recordKey(field.record);
            if (!recordKey.empty())
                name += " " + recordKey;
            name += " \"";
            name += fieldCaption(engine, field);
            name += "\" [";
            name += field.key;
            name += ']';
            auto& area = names[place->area == Area::Aux ? 1 : 0];
            for (std::size_t i = 0; i < place->length; ++i)
                area.emplace(place->offset + i, name);
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
