#pragma once
// The child frame of "Advanced Settings" and "Encode/Decode Table": Ctrl+Tab (Shift+Ctrl+Tab
// backwards) inside it turns the form's tab pages instead of cycling the main window's child
// windows.
#include "forms/common/CChildFrame.h"

namespace rps {

class CSpecialFrame : public CChildFrame {
    Q_OBJECT
public:
    CSpecialFrame(CFormView* form, const QList<QKeySequence>& frameKeys, QWidget* parent = nullptr);
    ~CSpecialFrame() override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

} // namespace rps
