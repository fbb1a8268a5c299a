// The editing forms in their child windows as a dealer sees them: every form paints its own
// background, and a main window that is not maximised scrolls instead of cutting forms off.
#include "ShellRig.h"

#include "app/ShellCommands.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CGridView.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollBar>
#include <QStyleOptionTitleBar>
#include <QTest>

#include <filesystem>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

// The application started on the demonstration configuration, its main window shown at size.
void startOnDemo(ShellRig& rig, QSize size)
{
    rig.formLookup = nullptr; // the application's own forms
    ASSERT_TRUE(rig.start());
    const std::string demo = (std::filesystem::path(kSourceDir) / "demo" / "demo.dat").string();
    rig.dialogs.openFiles.push_back(demo);
    rig.trigger(cmd::kOpen);
    CMainFrame& frame = rig.frame();
    frame.resize(size);
    frame.show();
    frame.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&frame));
    ASSERT_NE(frame.openedForm(kChannelInformationCommand), nullptr);
}

void settle()
{
    for (int i = 0; i < 3; ++i) {
        QApplication::processEvents();
        QTest::qWait(20);
    }
}

QMdiSubWindow* childWindow(QWidget* form)
{
    return qobject_cast<QMdiSubWindow*>(form->parentWidget());
}

// Pixels of the form's own margins (no child widget over them) that do not show the form's
// background colour, in what the main window put on the screen.
int foreignMarginPixels(CMainFrame& frame, QWidget* form)
{
    const QImage shot = frame.screen()->grabWindow(frame.winId()).toImage();
    const QPoint origin = form->mapTo(&frame, QPoint(0, 0));
    QRegion margins(QRect(origin, form->size()));
    for (QWidget* child : form->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isVisible())
            margins -= QRect(child->mapTo(&frame, QPoint(0, 0)), child->size());
    }
    // Only what the work area shows of the form counts.
    QWidget* viewport = frame.mdiArea()->viewport();
    margins &= QRect(viewport->mapTo(&frame, QPoint(0, 0)), viewport->size());
    const QRgb background = form->palette().color(QPalette::Window).rgb();
    int foreign = 0;
    for (const QRect& rect : margins) {
        for (int y = rect.top(); y <= rect.bottom(); ++y)
            for (int x = rect.left(); x <= rect.right(); ++x)
                if (shot.rect().contains(x, y) && (shot.pixel(x, y) & 0xFFFFFF) != (background & 0xFFFFFF))
                    ++foreign;
    }
    return foreign;
}

TEST(ChildWindows, ChannelEditOverTheGridPaintsItsOwnMarginsAfterEveryChange)
{
    ShellRig rig;
    startOnDemo(rig, QSize(1280, 800));
    CMainFrame& frame = rig.frame();
    frame.openForm(kChannelEditCommand);
    CFormView* edit = frame.openedForm(kChannelEditCommand);
    ASSERT_NE(edit, nullptr);
    settle();
    EXPECT_EQ(foreignMarginPixels(frame, edit), 0) << "when opened";

    // A tick of Beat Shift, which the channel grid behind follows, repaints parts of the form.
    QAbstractButton* beatShift = nullptr;
    for (QAbstractButton* box : edit->findChildren<QAbstractButton*>()) {
        if (box->isCheckable() && box->text().remove('&').toStdString() == rig.text(906))
            beatShift = box;
    }
    ASSERT_NE(beatShift, nullptr);
    ASSERT_TRUE(beatShift->isEnabled());
    QTest::mouseClick(beatShift, Qt::LeftButton, {}, QPoint(6, beatShift->height() / 2));
    settle();
    EXPECT_EQ(foreignMarginPixels(frame, edit), 0) << "after a tick of Beat Shift";
    // So does Page Down to the next channel, typed in a plain field of the form.
    for (QLineEdit* field : edit->findChildren<QLineEdit*>()) {
        if (field->isEnabled() && field->isVisible() && field->focusProxy() == nullptr &&
            qobject_cast<QAbstractSpinBox*>(field->parentWidget()) == nullptr &&
            qobject_cast<QComboBox*>(field->parentWidget()) == nullptr) {
            field->setFocus();
            QTest::keyClick(field, Qt::Key_PageDown);
            break;
        }
    }
    settle();
    EXPECT_EQ(foreignMarginPixels(frame, edit), 0) << "after Page Down";
}

// Widgets of the form whose caption is shown shorter than it is.
QStringList cutCaptions(QWidget* form)
{
    QStringList cut;
    for (QWidget* widget : form->findChildren<QWidget*>()) {
        const bool caption = qobject_cast<QLabel*>(widget) != nullptr ||
                             (qobject_cast<QAbstractButton*>(widget) != nullptr &&
                              !qobject_cast<QAbstractButton*>(widget)->text().isEmpty());
        if (!caption || !widget->isVisible())
            continue;
        if (widget->width() < widget->minimumSizeHint().width()) {
            const auto* label = qobject_cast<QLabel*>(widget);
            cut << (label ? label->text() : qobject_cast<QAbstractButton*>(widget)->text());
        }
    }
    return cut;
}

TEST(ChildWindows, InA900By600WindowTheGridScrollsAndChannelEditKeepsItsCaptionsWhole)
{
    ShellRig rig;
    startOnDemo(rig, QSize(900, 600));
    CMainFrame& frame = rig.frame();
    QWidget* viewport = frame.mdiArea()->viewport();
    CFormView* info = frame.openedForm(kChannelInformationCommand);
    auto* grid = info->findChild<CGridView*>();
    ASSERT_NE(grid, nullptr);
    settle();

    // Right to the last column brings it into sight.
    grid->setFocus();
    grid->setCurrentCell(0, 0);
    for (int column = 1; column < grid->model()->columnCount(); ++column)
        QTest::keyClick(grid, Qt::Key_Right);
    settle();
    ASSERT_EQ(grid->currentIndex().column(), grid->model()->columnCount() - 1);
    const QRect cell = grid->visualRect(grid->currentIndex());
    const QRect shown(grid->viewport()->mapTo(childWindow(info), cell.topLeft()), cell.size());
    EXPECT_TRUE(grid->viewport()->rect().contains(cell)) << cell.x() << " " << cell.right();
    EXPECT_TRUE(childWindow(info)->rect().contains(shown))
        << shown.x() << " " << shown.right() << " in " << childWindow(info)->width();

    frame.openForm(kChannelEditCommand);
    CFormView* edit = frame.openedForm(kChannelEditCommand);
    ASSERT_NE(edit, nullptr);
    settle();
    EXPECT_EQ(cutCaptions(edit).join(" | ").toStdString(), "") << "as opened";
    childWindow(edit)->resize(1, 1); // as small as the child window lets itself be made
    settle();
    EXPECT_EQ(cutCaptions(edit).join(" | ").toStdString(), "") << "at its smallest";

    // The work area scrolls to what does not fit.
    const QRect window = childWindow(edit)->geometry();
    ASSERT_TRUE(window.width() > viewport->width() || window.height() > viewport->height());
    if (window.width() > viewport->width()) {
        EXPECT_TRUE(frame.mdiArea()->horizontalScrollBar()->isVisible());
    }
    if (window.height() > viewport->height()) {
        EXPECT_TRUE(frame.mdiArea()->verticalScrollBar()->isVisible());
    }
}

TEST(ChildWindows, TheBeatShiftWindowIsWideEnoughForItsTitle)
{
    ShellRig rig;
    startOnDemo(rig, QSize(900, 600));
    CMainFrame& frame = rig.frame();
    frame.openForm(kBeatShiftCommand);
    CFormView* form = frame.openedForm(kBeatShiftCommand);
    ASSERT_NE(form, nullptr);
    QMdiSubWindow* window = childWindow(form);
    window->resize(1, 1);
    settle();

    // The space the style leaves for the caption between the icon and the buttons.
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.rect = QRect(0, 0, window->width(),
                        window->style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, window));
    option.text = window->windowTitle();
    option.icon = window->windowIcon();
    option.titleBarFlags = window->windowFlags();
    option.titleBarState = Qt::WindowActive;
    option.subControls = QStyle::SC_All;
    const QRect label =
        window->style()->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, window);
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    EXPECT_GE(label.width(), QFontMetrics(font).horizontalAdvance(window->windowTitle()))
        << window->windowTitle().toStdString() << " in " << window->width();
}

} // namespace
} // namespace rps::test
