#pragma once
// An edit field with spin buttons. Typed text is filtered as typed and clamped on commit;
// the buttons (and Up/Down) step with wrap round, optionally through an off value shown as
// blank or as its own text. The rules are the shared value helpers of the core. Only a typed
// text is committed: a field that is entered and left again stores nothing, and the text it
// shows (the off text of a digits field too) stays as shown.
#include "forms/fields/CharFilter.h"

#include <QAbstractSpinBox>

#include <cstdint>
#include <optional>

namespace rps {

struct SpinRange {
    int64_t min = 0;
    int64_t max = 0;
    int64_t step = 1;
    std::optional<int64_t> off; // a value outside the range that the spin passes through
    QString offText;            // shown for the off value (may be empty)
};

class CSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
public:
    explicit CSpinEdit(QWidget* parent = nullptr);

    void setRange(SpinRange range) { range_ = std::move(range); }
    // A field whose stepping and clamping the field engine does: the buttons and typed
    // text are only reported (stepRequested, textCommitted), never computed here.
    void setEngineDriven(bool on) { engineDriven_ = on; }
    void setFilter(CharFilterRule rule);
    // Nothing = the off value, or an empty field.
    std::optional<int64_t> value() const;
    void setValue(std::optional<int64_t> value);
    void setDisplayText(const QString& text);

    void stepBy(int steps) override;

signals:
    // A step of the buttons or a committed typed value; the form stores it.
    void valueCommitted(std::optional<int64_t> value);
    // Engine-driven: the buttons asked for a step; a changed text was left or entered.
    void stepRequested(int direction);
    void textCommitted(const QString& text);

protected:
    StepEnabled stepEnabled() const override { return StepUpEnabled | StepDownEnabled; }
    void focusOutEvent(QFocusEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void commitTyped();

    SpinRange range_;
    QString shownText_;
    bool engineDriven_ = false;
    bool typed_ = false;
};

} // namespace rps
