#pragma once
// "Scan Information": the repeater's scan settings, declared in ScanFields.
#include "forms/common/CFieldFormView.h"
#include "forms/common/FormCommands.h"

namespace rps {

class CScanInfoView : public CFieldFormView {
    Q_OBJECT
public:
    CScanInfoView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;

private:
    void stored(int item, const fields::EditResult& result);
};

} // namespace rps
