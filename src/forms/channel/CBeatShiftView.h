#pragma once
// "Beat Shift": the five beat-shift options of the channel shown in the channel edit form.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CBeatShiftView : public CFieldFormView {
    Q_OBJECT
public:
    CBeatShiftView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    void channelSelectionChanged(int channel) override;
    QString formTitle() const override;

    QWidget* optionBox(int option) const { return control(option); }

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace rps
