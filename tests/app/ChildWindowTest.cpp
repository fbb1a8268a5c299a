// The editing forms in their child windows as a dealer sees them: every form paints its own
// background, every form fits a 1280×800 main window with the tree shown, and a smaller window
// scrolls its form instead of cutting it off.
#include "ShellRig.h"

#include "forms/common/CChildFrame.h"

#include "app/ShellCommands.h"
#include "forms/FormCatalog.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CGridView.h"

#include <QAbstractButton>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDockWidget>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QStyleOptionTitleBar>
#include <QTabWidget>
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
    frame.setWindowState(Qt::WindowNoState); // the first run opens maximised
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
    return CChildFrame::of(form);
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

    // The child window scrolls what does not fit.
    auto* scroll = childWindow(edit)->findChild<QScrollArea*>();
    ASSERT_NE(scroll, nullptr);
    EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(scroll->verticalScrollBar()->isVisible());
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

// Every form of the catalogue that can be opened, each alone in the work area.
template <typename Check> void forEachForm(CMainFrame& frame, Check check)
{
    for (const FormDescriptor& descriptor : formCatalog()) {
        if (descriptor.create == nullptr)
            continue;
        for (const FormDescriptor& other : formCatalog())
            frame.closeForm(other.command);
        frame.openForm(descriptor.command);
        CFormView* form = frame.openedForm(descriptor.command);
        if (form == nullptr) {
            ADD_FAILURE() << "form " << descriptor.command << " did not open";
            continue;
        }
        settle();
        check(form, descriptor.command);
    }
}

// Visible controls of the form that the child window does not show whole, on every page of its
// tab controls.
QStringList controlsOutOfSight(QWidget* form, QWidget* shown)
{
    QStringList outside;
    auto look = [&] {
        settle();
        const QRect room = shown->rect();
        for (QWidget* widget : form->findChildren<QWidget*>()) {
            if (!widget->isVisible() || widget->isWindow())
                continue;
            const QRect rect(widget->mapTo(shown, QPoint(0, 0)), widget->size());
            if (!room.contains(rect))
                outside << QStringLiteral("%1 %2 at %3,%4 %5x%6")
                               .arg(widget->metaObject()->className(), widget->objectName())
                               .arg(rect.x())
                               .arg(rect.y())
                               .arg(rect.width())
                               .arg(rect.height());
        }
    };
    look();
    for (QTabWidget* tabs : form->findChildren<QTabWidget*>()) {
        const int current = tabs->currentIndex();
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            look();
        }
        tabs->setCurrentIndex(current);
    }
    outside.removeDuplicates();
    return outside;
}

TEST(ChildWindows, EveryFormIsTitledAndFitsTheWorkAreaOfA1280By800WindowWithTheTreeShown)
{
    ShellRig rig;
    startOnDemo(rig, QSize(1280, 800));
    CMainFrame& frame = rig.frame();
    ASSERT_TRUE(frame.findChild<QDockWidget*>("treeBar")->isVisible());
    QWidget* workArea = frame.mdiArea()->viewport();
    forEachForm(frame, [&](CFormView* form, int command) {
        QMdiSubWindow* window = childWindow(form);
        ASSERT_NE(window, nullptr);
        // Each window is titled by its form, whether the form names itself or takes its
        // declared form's name; channel forms add the channel after it.
        const std::string title = rig.text(formRegistration(command)->titleText);
        EXPECT_TRUE(window->windowTitle().startsWith(QString::fromStdString(title)))
            << "form " << command << ": " << window->windowTitle().toStdString();
        EXPECT_TRUE(workArea->rect().contains(window->geometry()))
            << "form " << command << ": window " << window->width() << "x" << window->height() << " in "
            << workArea->width() << "x" << workArea->height();
        // Nothing of the form is scrolled or cut off.
        EXPECT_EQ(controlsOutOfSight(form, workArea).join("; ").toStdString(), "") << "form " << command;
        EXPECT_EQ(controlsOutOfSight(form, form->parentWidget()).join("; ").toStdString(), "")
            << "form " << command;
    });
}

TEST(ChildWindows, InA900By600WindowAMaximisedFormScrollsInsteadOfCuttingItsControls)
{
    ShellRig rig;
    startOnDemo(rig, QSize(900, 600));
    CMainFrame& frame = rig.frame();
    QWidget* workArea = frame.mdiArea()->viewport();
    forEachForm(frame, [&](CFormView* form, int command) {
        // As opened: a window that is not as tall as the work area scrolls sideways only.
        auto* opened = childWindow(form)->findChild<QScrollArea*>();
        ASSERT_NE(opened, nullptr);
        if (childWindow(form)->geometry().bottom() < workArea->height() - 1) {
            EXPECT_FALSE(opened->verticalScrollBar()->isVisible()) << "form " << command;
        }
        childWindow(form)->showMaximized();
        settle();
        auto* scroll = childWindow(form)->findChild<QScrollArea*>();
        ASSERT_NE(scroll, nullptr);
        const QSize least = form->minimumSizeHint();
        EXPECT_GE(form->width(), least.width()) << "form " << command;
        EXPECT_GE(form->height(), least.height()) << "form " << command;
        if (form->width() > scroll->viewport()->width()) {
            EXPECT_TRUE(scroll->horizontalScrollBar()->isVisible()) << "form " << command;
        }
        if (form->height() > scroll->viewport()->height()) {
            EXPECT_TRUE(scroll->verticalScrollBar()->isVisible()) << "form " << command;
        }
        // Scrolled to its end, the form shows its last control.
        scroll->horizontalScrollBar()->setValue(scroll->horizontalScrollBar()->maximum());
        scroll->verticalScrollBar()->setValue(scroll->verticalScrollBar()->maximum());
        settle();
        const QRect seen(form->mapFrom(scroll->viewport(), QPoint(0, 0)), scroll->viewport()->size());
        EXPECT_TRUE(seen.contains(QPoint(form->width() - 1, form->height() - 1))) << "form " << command;
        childWindow(form)->showNormal();
    });
}

} // namespace
} // namespace rps::test
