#pragma once
// A declared form: a form whose fields are declared in a field table, opened over an image as
// a session of its record set, rules and engine. The forms' catalogue of them is FieldForms.h.
#include "forms/fields/FieldEngine.h"
#include "model/ConfigImage.h"

#include <memory>
#include <string_view>

namespace rps {

// One declared form opened over an image: its record set, rules and engine.
class FieldFormSession {
public:
    virtual ~FieldFormSession() = default;
    virtual fields::FieldEngine& engine() = 0;
};

struct DeclaredForm {
    std::string_view key; // first part of every field key of the form
    int titleText;        // language text naming the form
    std::unique_ptr<FieldFormSession> (*open)(ConfigImage& image, const fields::FieldEnv& env);
};

} // namespace rps
