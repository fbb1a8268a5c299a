#include "forms/common/FormSupport.h"

#include "forms/FieldForms.h"
#include "texts/CommonTexts.h"

#include <QFontDatabase>
#include <QFontInfo>

namespace rps {

fields::FieldEnv formFieldEnv(const FormContext& context)
{
    const LanguageTable& texts = context.texts;
    return {[&texts](int n) { return texts.text(n); }, context.host.frequencyLimits(),
            context.host.decimalSeparator()};
}

std::unique_ptr<FieldFormSession> openDeclaredForm(FormContext& context, std::string_view key)
{
    return findDeclaredForm(key)->open(context.image, formFieldEnv(context));
}

int declaredFormTitle(std::string_view key)
{
    return findDeclaredForm(key)->titleText;
}

void showFormMessage(FormContext& context, int textNumber)
{
    if (textNumber == 0)
        return;
    MessageRequest request;
    request.text = context.texts.text(textNumber);
    request.caption = context.texts.text(texts::kWarningCaption);
    request.buttons = MessageButtons::Ok;
    request.icon = MessageIcon::Warning;
    context.dialogs.showMessage(request);
}

QString languageText(const FormContext& context, int number)
{
    return QString::fromStdString(context.texts.text(number));
}

QFont fixedWidthFont()
{
    QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (QFontInfo(font).fixedPitch())
        return font;
    // The font matcher picks the installed monospaced family for this hint.
    font.setFamily(QStringLiteral("monospace"));
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    return font;
}

} // namespace rps
