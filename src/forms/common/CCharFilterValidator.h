#pragma once
// An edit field's character filter as a validator: refused characters never enter the
// text, and letters the filter turns to the other case are changed as they are typed.
#include "forms/common/CharFilter.h"

#include <QValidator>

namespace rps {

class CCharFilterValidator : public QValidator {
    Q_OBJECT
public:
    explicit CCharFilterValidator(CharFilterSpec spec, QObject* parent = nullptr)
        : QValidator(parent), spec_(std::move(spec))
    {
    }

    const CharFilterSpec& spec() const { return spec_; }
    State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    CharFilterSpec spec_;
};

} // namespace rps
