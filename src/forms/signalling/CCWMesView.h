#pragma once
// "CW Message": the eight Morse messages and their common settings, declared in CwMessageFields.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CCWMesView : public CFieldFormView {
    Q_OBJECT
public:
    CCWMesView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;
};

} // namespace rps
