#pragma once
// "CW Message": the eight Morse messages and their common settings, declared in CwMessageFields.
#include "forms/common/CDeclaredFormView.h"

namespace rps {

class CCWMesView : public CDeclaredFormView {
    Q_OBJECT
public:
    CCWMesView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);
};

} // namespace rps
