#pragma once
// "Optional Features": the repeater-wide settings on two pages, the start-up actions and the
// TX/RX, timer and connection functions, and the data password dialog behind its button.
#include "forms/common/CDeclaredFormView.h"
#include "forms/common/FormCommands.h"

namespace rps {

class CDataPasswordDialog;

class CFeatureView : public CDeclaredFormView {
    Q_OBJECT
public:
    CFeatureView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    // The dialog of the "Data Password" button (shown modal by the button).
    CDataPasswordDialog* makePasswordDialog();
};

} // namespace rps
