#include "forms/common/CSpinEdit.h"

#include "forms/common/CCharFilterValidator.h"
#include "model/ValueHelpers.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <utility>

namespace rps {

CSpinEdit::CSpinEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    setWrapping(true);
    setAccelerated(true);
    setFilter({CharFilterKind::Digits, 5, '.', {}});
    connect(lineEdit(), &QLineEdit::textEdited, this, [this] { typed_ = true; });
}

void CSpinEdit::setFilter(CharFilterRule rule)
{
    if (rule.maxLength > 0)
        lineEdit()->setMaxLength(rule.maxLength);
    auto* validator = new CCharFilterValidator(std::move(rule), this);
    validator->setShownText(shownText_);
    lineEdit()->setValidator(validator);
}

std::optional<int64_t> CSpinEdit::value() const
{
    const QString text = lineEdit()->text().trimmed();
    if (text.isEmpty() || (range_.off && text == range_.offText))
        return range_.off;
    return parseTypedInteger(text.toStdString());
}

void CSpinEdit::setValue(std::optional<int64_t> value)
{
    if (!value || (range_.off && *value == *range_.off))
        setDisplayText(range_.offText);
    else
        setDisplayText(QString::number(*value));
}

void CSpinEdit::setDisplayText(const QString& text)
{
    shownText_ = text;
    typed_ = false;
    // The off text of another language may be longer than a typed number.
    if (lineEdit()->maxLength() < text.size())
        lineEdit()->setMaxLength(static_cast<int>(text.size()));
    showUnfiltered(lineEdit(), text);
}

void CSpinEdit::stepBy(int steps)
{
    const int direction = steps > 0 ? 1 : -1;
    if (engineDriven_) {
        emit stepRequested(direction);
        return;
    }
    std::optional<int64_t> current = value();
    int64_t next = 0;
    if (range_.off)
        next = spinStepWithOff(current.value_or(*range_.off), direction, range_.min, range_.max, *range_.off,
                               range_.step);
    else
        next = spinStep(current.value_or(0), direction, range_.min, range_.max, range_.step);
    setValue(next);
    emit valueCommitted(range_.off && next == *range_.off ? std::nullopt : std::optional<int64_t>(next));
}

void CSpinEdit::commitTyped()
{
    if (!std::exchange(typed_, false))
        return;
    const QString text = lineEdit()->text().trimmed();
    if (text == shownText_.trimmed())
        return;
    if (engineDriven_) {
        shownText_ = text;
        emit textCommitted(text);
        return;
    }
    if (text.isEmpty()) {
        emit valueCommitted(std::nullopt);
        return;
    }
    const int64_t clamped =
        clampInteger(parseTypedInteger(text.toStdString()), range_.min, range_.max, range_.step);
    setValue(clamped);
    emit valueCommitted(clamped);
}

void CSpinEdit::focusOutEvent(QFocusEvent* event)
{
    QAbstractSpinBox::focusOutEvent(event);
    commitTyped();
}

void CSpinEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        commitTyped();
    QAbstractSpinBox::keyPressEvent(event);
}

} // namespace rps
