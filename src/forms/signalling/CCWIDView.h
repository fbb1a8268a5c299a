#pragma once
// "CW ID": the Morse identification of the channel selected in the channel forms, declared in
// CwIdFields; the form follows that selection.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CCWIDView : public CFieldFormView {
    Q_OBJECT
public:
    CCWIDView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    void channelSelectionChanged(int channel) override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rps
