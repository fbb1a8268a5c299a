#include "forms/common/CCharFilterValidator.h"

#include <QLineEdit>

#include <algorithm>

namespace rps {

namespace {

std::string latin(const QString& text)
{
    const QByteArray bytes = text.toLatin1();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

QValidator::State CCharFilterValidator::validate(QString& input, int& pos) const
{
    if (input == shown_ || entries_.contains(input)) {
        current_ = input;
        return Acceptable;
    }
    if (QString::fromLatin1(input.toLatin1()) != input)
        return Invalid; // characters outside the repeater's character set
    // The typed piece ends at the caret; what follows it and what precedes it are the
    // field's text from before, untouched.
    pos = std::clamp(pos, 0, static_cast<int>(input.size()));
    qsizetype end = pos;
    qsizetype after = input.size() - end;
    if (after > current_.size() || input.right(after) != current_.right(after)) {
        end = input.size(); // the text changed behind the caret too: all of the new part is judged
        after = 0;
    }
    qsizetype before = 0;
    const qsizetype mostBefore = std::min(end, current_.size() - after);
    while (before < mostBefore && input.at(before) == current_.at(before))
        ++before;
    const auto typed = filterTyped(rule_, latin(input.left(before)), latin(input.mid(before, end - before)),
                                   latin(input.mid(end)));
    if (!typed)
        return Invalid;
    input = input.left(before) + QString::fromLatin1(typed->data(), static_cast<qsizetype>(typed->size())) +
            input.mid(end);
    pos = static_cast<int>(before + static_cast<qsizetype>(typed->size()));
    current_ = input;
    return Acceptable;
}

void showUnfiltered(QLineEdit* line, const QString& text)
{
    if (auto* validator = qobject_cast<const CCharFilterValidator*>(line->validator()))
        validator->setShownText(text);
    line->setText(text);
}

} // namespace rps
