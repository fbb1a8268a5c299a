#pragma once
// "Beat Shift": the five beat-shift options of the channel shown in the channel edit form.
#include "forms/common/CFormView.h"
#include "forms/common/CItemFormBuilder.h"

namespace rps {

class CBeatShiftView : public CFormView {
    Q_OBJECT
public:
    CBeatShiftView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    void channelSelectionChanged(int channel) override;
    QString formTitle() const override;

    QWidget* optionBox(int option) const;

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QMap<int, BuiltItem> items_;
};

} // namespace rps
