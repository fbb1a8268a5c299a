#pragma once
// A Morse text edit wide enough to show its capitals whole.
#include <QFontMetrics>
#include <QLineEdit>

namespace rps {

inline void fitToText(QWidget* control)
{
    if (auto* edit = qobject_cast<QLineEdit*>(control)) {
        const QString capitals(std::min(edit->maxLength(), 32), QLatin1Char('N'));
        edit->setMinimumWidth(QFontMetrics(edit->font()).horizontalAdvance(capitals) + 12);
    }
}

} // namespace rps
