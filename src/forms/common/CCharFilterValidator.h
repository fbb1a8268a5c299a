#pragma once
// An edit field's character filter as a validator: refused characters never enter the
// text, and letters the filter turns to the other case are changed as they are typed. The
// entries of an editable list are accepted as they stand, whatever the filter and the length
// limit of typed text say.
#include "forms/fields/CharFilter.h"

#include <QStringList>
#include <QValidator>

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
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    CharFilterRule rule_;
    QStringList entries_;
};

} // namespace rps
