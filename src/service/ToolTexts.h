#pragma once
// Captions of the service tools: the language text where the language file has one, else the
// dialog's own label.
#include "texts/LanguageTable.h"

#include <QString>

namespace rps {

inline QString toolText(const LanguageTable& texts, int index, const char* fallback)
{
    const std::string text = texts.text(index);
    return text.empty() ? QString(fallback) : QString::fromStdString(text);
}

} // namespace rps
