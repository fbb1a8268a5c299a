#pragma once
// An edit field's character filter as a validator: refused characters never enter the
// text, and letters the filter turns to the other case are changed as they are typed. Only
// what is typed passes the filter: a text the program shows (the stored value, an entry of an
// editable list) stands as it is, even where the filter could not have typed it, and the
// characters around a typed one are left alone.
#include "forms/fields/CharFilter.h"

#include <QStringList>
#include <QValidator>

class QLineEdit;

namespace rps {

class CCharFilterValidator : public QValidator {
    Q_OBJECT
public:
    explicit CCharFilterValidator(CharFilterRule rule, QObject* parent = nullptr)
        : QValidator(parent), rule_(std::move(rule))
    {
    }

    const CharFilterRule& rule() const { return rule_; }
    void setListEntries(QStringList entries) { entries_ = std::move(entries); }
    // The text the program is about to show in the field (part of the field's state, which
    // the line edit hands out as const).
    void setShownText(const QString& text) const { shown_ = text; }
    State validate(QString& input, int& pos) const override;
    // A text that is no display and cannot be typed is left to the field as it is: leaving
    // the field never rewrites or empties what it shows.
    void fixup(QString&) const override {}

private:
    CharFilterRule rule_;
    QStringList entries_;
    mutable QString shown_;
    mutable QString current_; // the field's text before the change being judged
};

// Shows a text in a line edit as the display of a stored value: the line edit's character
// filter lets it stand unchanged.
void showUnfiltered(QLineEdit* line, const QString& text);

} // namespace rps
