#pragma once
// "DTMF": the DTMF encoder settings, declared in DtmfFields.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CDtmfView : public CFieldFormView {
    Q_OBJECT
public:
    CDtmfView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;
};

} // namespace rps
