// Child window arrangement of the main frame and its placement between runs.
#include "app/CMainFrame.h"

#include "app/WindowPlacement.h"
#include "forms/common/CChildFrame.h"
#include "forms/common/CFormView.h"

#include <QGuiApplication>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QTimer>

#include <cmath>

namespace rps {

namespace {

// Window placement show commands as the "LastWinPos" value stores them.
constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kMinimizedIconWidth = 160;

QList<QMdiSubWindow*> visibleChildren(QMdiArea* mdi, bool minimized)
{
    QList<QMdiSubWindow*> windows;
    for (QMdiSubWindow* window : mdi->subWindowList(QMdiArea::CreationOrder)) {
        if (window->isVisible() && window->isMinimized() == minimized)
            windows.push_back(window);
    }
    return windows;
}

} // namespace

void CMainFrame::tileWindows(Qt::Orientation stacking)
{
    const QList<QMdiSubWindow*> windows = visibleChildren(mdi_, false);
    if (windows.isEmpty())
        return;
    const QRect area = mdi_->viewport()->rect();
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        QMdiSubWindow* window = windows[i];
        window->showNormal();
        QRect cell;
        if (stacking == Qt::Vertical) {
            const int height = area.height() / count;
            cell = QRect(area.left(), area.top() + i * height, area.width(), height);
        } else {
            const int width = area.width() / count;
            cell = QRect(area.left() + i * width, area.top(), width, area.height());
        }
        window->setGeometry(cell);
    }
}

void CMainFrame::arrangeMinimized()
{
    const QRect area = mdi_->viewport()->rect();
    int x = area.left();
    int y = area.bottom();
    for (QMdiSubWindow* window : visibleChildren(mdi_, true)) {
        const QSize size = window->size();
        if (x > area.left() && x + kMinimizedIconWidth > area.right()) {
            x = area.left();
            y -= size.height();
        }
        window->move(x, y - size.height() + 1);
        x += kMinimizedIconWidth;
    }
}

void CMainFrame::repaintChildWindowsLater()
{
    // A grid that follows a change under another child window can paint its row numbers through
    // that window's margins; painting the windows again in their stacking order, once the forms
    // have been drawn, puts the upper ones back on top.
    if (mdi_->subWindowList().size() < 2)
        return;
    QTimer::singleShot(0, this, [this] {
        for (QMdiSubWindow* window : mdi_->subWindowList(QMdiArea::StackingOrder)) {
            window->update();
            if (auto* child = qobject_cast<CChildFrame*>(window); child && child->form())
                child->form()->update();
        }
    });
}

QString CMainFrame::placementText() const
{
    WindowPlacement placement;
    const QRect normal = normalGeometry().isValid() ? normalGeometry() : geometry();
    placement.flags = 0;
    if (isMinimized())
        placement.showCommand = (windowState() & Qt::WindowMaximized) ? kShowMaximized : kShowNormal;
    else
        placement.showCommand = isMaximized() ? kShowMaximized : kShowNormal;
    placement.minX = placement.minY = -1;
    placement.maxX = placement.maxY = -1;
    placement.left = normal.left();
    placement.top = normal.top();
    placement.right = normal.right() + 1;
    placement.bottom = normal.bottom() + 1;
    return QString::fromStdString(formatWindowPlacement(placement));
}

bool CMainFrame::restorePlacement(const QString& text)
{
    const auto placement = parseWindowPlacement(text.toStdString());
    if (!placement)
        return false;
    QRect wanted(QPoint(placement->left, placement->top),
                 QPoint(placement->right - 1, placement->bottom - 1));
    // A placement saved on a screen that is gone is pulled onto the screen it overlaps most,
    // or onto the primary screen, and shrunk to fit there.
    QScreen* target = QGuiApplication::primaryScreen();
    long long best = 0;
    for (QScreen* screen : QGuiApplication::screens()) {
        const QRect overlap = screen->availableGeometry().intersected(wanted);
        const long long size = overlap.isEmpty() ? 0 : 1LL * overlap.width() * overlap.height();
        if (size > best) {
            best = size;
            target = screen;
        }
    }
    if (target != nullptr && wanted.isValid()) {
        const QRect avail = target->availableGeometry();
        wanted.setWidth(std::min(wanted.width(), avail.width()));
        wanted.setHeight(std::min(wanted.height(), avail.height()));
        wanted.moveLeft(std::clamp(wanted.left(), avail.left(), avail.right() - wanted.width() + 1));
        wanted.moveTop(std::clamp(wanted.top(), avail.top(), avail.bottom() - wanted.height() + 1));
        setGeometry(wanted);
    }
    if (placement->showCommand == kShowMaximized)
        setWindowState(Qt::WindowMaximized);
    else if (placement->showCommand == kShowMinimized)
        setWindowState(Qt::WindowMinimized);
    return true;
}

} // namespace rps
