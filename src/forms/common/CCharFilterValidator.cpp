#include "forms/common/CCharFilterValidator.h"

namespace rps {

QValidator::State CCharFilterValidator::validate(QString& input, int& pos) const
{
    if (entries_.contains(input))
        return Acceptable;
    const QByteArray latin = input.toLatin1();
    if (QString::fromLatin1(latin) != input)
        return Invalid; // characters outside the repeater's character set
    const auto filtered =
        filterText(rule_, std::string_view(latin.constData(), static_cast<std::size_t>(latin.size())));
    if (!filtered)
        return Invalid;
    input = QString::fromLatin1(filtered->data(), static_cast<qsizetype>(filtered->size()));
    pos = std::min(pos, static_cast<int>(input.size()));
    return Acceptable;
}

void CCharFilterValidator::fixup(QString& input) const
{
    int pos = static_cast<int>(input.size());
    if (validate(input, pos) == Invalid)
        input.clear();
}

} // namespace rps
