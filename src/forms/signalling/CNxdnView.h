#pragma once
// "NXDN": the repeater's own NXDN identity and audio options, declared in NxdnFields.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CNxdnView : public CFieldFormView {
    Q_OBJECT
public:
    CNxdnView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;
};

} // namespace rps
