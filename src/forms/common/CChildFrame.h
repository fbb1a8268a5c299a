#pragma once
// The child window of one editing form in the main frame's work area. It paints the form's
// background and leaves the main window's accelerators to the main window. The form sits in a
// scroll area: a window smaller than the form scrolls it (never squeezes or cuts it), and the
// window is never made narrower than its own title needs.
#include <QKeySequence>
#include <QList>
#include <QMdiSubWindow>

namespace rps {

class CFormView;

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT
public:
    // frameKeys: the accelerators of the main window, which the child window must not take.
    CChildFrame(CFormView* form, const QList<QKeySequence>& frameKeys, QWidget* parent = nullptr);

    CFormView* form() const { return form_; }
    // The child window that shows `widget` (a form or one of its controls), or nothing.
    static CChildFrame* of(const QWidget* widget);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void releaseFrameKeys(const QList<QKeySequence>& frameKeys);
    void setTitle(const QString& title);
    void updateMinimumSize();
    void makeRoomForScrollBar();
    // Width at which the title bar shows the whole title between the icon and the buttons.
    int widthForTitle() const;

    CFormView* form_;
    bool shownOnce_ = false;
};

} // namespace rps
