#pragma once
// What every form shares on the Qt side: the field environment of the form context (texts,
// band limits, decimal separator), its declared forms opened over the image, the warning box
// of a store, and language texts as QStrings.
#include "forms/common/FormContext.h"
#include "forms/fields/DeclaredForm.h"

#include <QFont>
#include <QString>

namespace rps {

// The language texts, band limits and decimal separator fields are shown with.
fields::FieldEnv formFieldEnv(const FormContext& context);
// The declared form with this key (channel, beat-shift, features ...) over the context's image.
std::unique_ptr<FieldFormSession> openDeclaredForm(FormContext& context, std::string_view key);
// The language text naming that declared form.
int declaredFormTitle(std::string_view key);
// Shows the warning or message of a store result, if any.
void showFormMessage(FormContext& context, int textNumber);
QString languageText(const FormContext& context, int number);
// A font whose characters all have one width (passwords, names typed to a fixed length), also
// where the platform names no fixed font of its own and hands out its proportional one.
QFont fixedWidthFont();

} // namespace rps
