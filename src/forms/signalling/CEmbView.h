#pragma once
// "Embedded Message": the two lines that travel with the configuration, declared in MessageFields.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CEmbView : public CFieldFormView {
    Q_OBJECT
public:
    CEmbView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;
};

} // namespace rps
