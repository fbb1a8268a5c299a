#pragma once
// What the declared-forms fuzz target and the full sweep do to a field: look at it as the form
// and the command-line tool would, and edit it by one of the four ways a user can.
#include "forms/FieldForms.h"
#include "model/DefaultBuilder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace rps::test {

enum class FieldEdit : uint8_t { Enter, SpinUp, SpinDown, Commit };
inline constexpr int kFieldEditCount = 4;

inline void lookAtField(fields::FieldEngine& engine, const FieldEntry& entry)
{
    engine.shown(*entry.row, entry.record);
    engine.enabled(*entry.row, entry.record);
    engine.choiceLabels(*entry.row, entry.record);
}

inline void editField(fields::FieldEngine& engine, const FieldEntry& entry, FieldEdit edit,
                      const std::string& text)
{
    switch (edit) {
    case FieldEdit::Enter:
        enterFieldText(engine, entry, text);
        break;
    case FieldEdit::SpinUp:
        engine.spin(*entry.row, entry.record, +1);
        break;
    case FieldEdit::SpinDown:
        engine.spin(*entry.row, entry.record, -1);
        break;
    case FieldEdit::Commit:
        engine.commitText(*entry.row, entry.record, text);
        break;
    }
}

inline fields::FieldEnv fuzzFieldEnv()
{
    fields::FieldEnv env;
    env.texts = [](int number) { return "T" + std::to_string(number); };
    return env;
}

// A new image, made once; every run starts from a copy.
inline const ConfigImage& freshImage()
{
    static const std::unique_ptr<ConfigImage> fresh = [] {
        auto made = std::make_unique<ConfigImage>();
        InstallationId id;
        id.fill(0x11);
        newImage(*made, id);
        return made;
    }();
    return *fresh;
}

} // namespace rps::test
