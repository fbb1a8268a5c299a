#pragma once
// The child frame of "Advanced Settings": Ctrl+Tab (Shift+Ctrl+Tab backwards) inside it turns
// the form's tab pages instead of cycling the main window's child windows.
#include <QMdiSubWindow>

namespace rps {

class CSpecialFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CSpecialFrame(QWidget* parent = nullptr);
    ~CSpecialFrame() override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
};

} // namespace rps
