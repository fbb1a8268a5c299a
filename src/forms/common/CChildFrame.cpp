#include "forms/common/CChildFrame.h"

#include "forms/common/CFormView.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QMenu>
#include <QScrollArea>
#include <QStyle>
#include <QStyleOptionTitleBar>

#include <algorithm>

namespace rps {

namespace {

// Asks for room for the whole form (a plain scroll area caps its wish at a few hundred pixels).
class FormScrollArea : public QScrollArea {
public:
    explicit FormScrollArea(QWidget* parent) : QScrollArea(parent)
    {
        setObjectName(QStringLiteral("formScrollArea"));
        setFrameShape(QFrame::NoFrame);
        setWidgetResizable(true);
    }

    QSize sizeHint() const override
    {
        if (widget() == nullptr)
            return QScrollArea::sizeHint();
        const int frame = 2 * frameWidth();
        return widget()->sizeHint().expandedTo(widget()->minimumSizeHint()) + QSize(frame, frame);
    }
};

} // namespace

CChildFrame::CChildFrame(CFormView* form, const QList<QKeySequence>& frameKeys, QWidget* parent)
    : QMdiSubWindow(parent), form_(form)
{
    setObjectName(QStringLiteral("childFrame%1").arg(form->command()));
    setAttribute(Qt::WA_DeleteOnClose);
    // The form is opaque: a part of it that repaints alone never shows the window behind.
    form->setAutoFillBackground(true);
    auto* scroll = new FormScrollArea(this);
    scroll->setWidget(form);
    setWidget(scroll);
    releaseFrameKeys(frameKeys);
    form->installEventFilter(this);
    connect(form, &CFormView::titleChanged, this, &CChildFrame::setTitle);
    setTitle(form->formTitle());
}

CChildFrame* CChildFrame::of(const QWidget* widget)
{
    for (QWidget* ancestor = widget ? widget->parentWidget() : nullptr; ancestor;
         ancestor = ancestor->parentWidget()) {
        if (auto* frame = qobject_cast<CChildFrame*>(ancestor))
            return frame;
    }
    return nullptr;
}

void CChildFrame::releaseFrameKeys(const QList<QKeySequence>& frameKeys)
{
    // The system menu closes the window with Ctrl+F4; Qt also gives it Ctrl+W on Linux, which
    // is Write Data to Radio and would make that accelerator ambiguous while a form is open.
    QList<QAction*> actions = this->actions();
    if (QMenu* menu = systemMenu())
        actions += menu->actions();
    for (QAction* action : actions) {
        QList<QKeySequence> kept = action->shortcuts();
        kept.removeIf([&frameKeys](const QKeySequence& keys) { return frameKeys.contains(keys); });
        if (kept.size() != action->shortcuts().size())
            action->setShortcuts(kept);
    }
}

void CChildFrame::setTitle(const QString& title)
{
    setWindowTitle(title);
    updateMinimumSize();
}

void CChildFrame::showEvent(QShowEvent* event)
{
    QMdiSubWindow::showEvent(event);
    updateMinimumSize();
    if (!shownOnce_) {
        shownOnce_ = true;
        makeRoomForScrollBar();
    }
}

void CChildFrame::makeRoomForScrollBar()
{
    // Opened narrower than its form, the window scrolls sideways; the bar takes its height from
    // the work area where there is room, so that the form need not scroll up and down as well.
    QWidget* area = parentWidget();
    if (area == nullptr || form_ == nullptr || isMaximized() || isMinimized())
        return;
    const int besideForm = sizeHint().width() - widget()->sizeHint().width();
    if (form_->minimumSizeHint().width() + besideForm <= width())
        return;
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, widget());
    resize(width(), std::max(height(), std::min(height() + bar, area->height() - y())));
}

bool CChildFrame::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == form_ && event->type() == QEvent::LayoutRequest)
        updateMinimumSize();
    return QMdiSubWindow::eventFilter(watched, event);
}

void CChildFrame::updateMinimumSize()
{
    if (form_ == nullptr || isMinimized() || isMaximized())
        return;
    // The form scrolls in a smaller window; the title needs its width.
    QSize smallest = QMdiSubWindow::minimumSizeHint();
    smallest.setWidth(std::max(smallest.width(), widthForTitle()));
    setMinimumSize(smallest);
}

int CChildFrame::widthForTitle() const
{
    // The caption's share of the title bar grows with the window: measure what the icon, the
    // buttons and the margins take at a generous width, then add the title itself.
    constexpr int kWide = 2000;
    QStyleOptionTitleBar option;
    option.initFrom(this);
    option.rect = QRect(0, 0, kWide, style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this));
    option.text = windowTitle();
    option.icon = windowIcon();
    option.titleBarFlags = windowFlags();
    option.titleBarState = Qt::WindowActive;
    option.subControls = QStyle::SC_All;
    const QRect label = style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, this);
    // The active window's title is drawn bold.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return kWide - label.width() + QFontMetrics(font).horizontalAdvance(windowTitle()) + 8;
}

} // namespace rps
