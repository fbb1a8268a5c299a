#include "forms/feature/CSpecialFrame.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTabWidget>

namespace rps {

CSpecialFrame::CSpecialFrame(CFormView* form, const QList<QKeySequence>& frameKeys, QWidget* parent)
    : CChildFrame(form, frameKeys, parent)
{
    // The MDI area watches the whole application for Ctrl+Tab; a filter installed later is
    // asked first.
    qApp->installEventFilter(this);
}

CSpecialFrame::~CSpecialFrame()
{
    qApp->removeEventFilter(this);
}

bool CSpecialFrame::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride)
        return CChildFrame::eventFilter(object, event);
    auto* key = static_cast<QKeyEvent*>(event);
    auto* target = qobject_cast<QWidget*>(object);
    const bool pageKey = (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) &&
                         (key->modifiers() & Qt::ControlModifier);
    auto* tabs = widget() ? widget()->findChild<QTabWidget*>() : nullptr;
    if (!pageKey || !tabs || !target || !(target == this || isAncestorOf(target)))
        return CChildFrame::eventFilter(object, event);
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept(); // a key for this frame, not for a shortcut of the main window
        return false;
    }
    const int pages = tabs->count();
    const int step = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier) ? -1 : 1;
    if (pages > 0)
        tabs->setCurrentIndex((tabs->currentIndex() + step + pages) % pages);
    return true;
}

} // namespace rps
