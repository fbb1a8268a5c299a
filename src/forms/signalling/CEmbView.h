#pragma once
// "Embedded Message": the two lines that travel with the configuration, declared in MessageFields.
#include "forms/common/CDeclaredFormView.h"

namespace rps {

class CEmbView : public CDeclaredFormView {
    Q_OBJECT
public:
    CEmbView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);
};

} // namespace rps
