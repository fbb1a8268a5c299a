#pragma once
// The multiple-document main window: one document (the configuration image), one child
// window per editing form, menus rebuilt from the language texts, the tree of editing areas,
// tool bar, status bar and the window title.
#include "forms/common/CFormView.h"
#include "forms/common/FormContext.h"

#include <QKeySequence>
#include <QMainWindow>
#include <QPointer>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QDockWidget;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QTimer;
class QToolBar;
class QTreeWidget;
class QTreeWidgetItem;

namespace rps {

class ImageUndoStack;
namespace print {
class ReportPrinting;
}
class ShellController;
class ShellHelp;

class CMainFrame : public QMainWindow, public FormHost {
    Q_OBJECT
public:
    CMainFrame(ShellController& shell, QWidget* parent = nullptr);
    ~CMainFrame() override;

    // FormHost
    void refreshAllForms() override;
    void openForm(int command) override;
    void closeForm(int command) override;
    int currentChannel() const override { return currentChannel_; }
    void setCurrentChannel(int channel) override;
    FrequencyLimits frequencyLimits() const override;
    char decimalSeparator() const override;
    bool formAvailable(int command) const override;
    void showChannelRecord(int channel, QWidget* parent) override;
    RadioLink* radioLink() override;

    FormContext& formContext() { return formContext_; }
    // The undo history of the working image (Edit > Undo and Redo).
    ImageUndoStack& undoStack() { return *undo_; }

    // Closes every editing window and hides the docking bars (before the image is replaced).
    void closeAllForms();
    void rebuildMenus();
    void updateTitle();
    void updateTree();
    void updatePortPane();
    // After the image was replaced: title, menus, tree, then the channel information form.
    void finishImageReplacement();

    // Runs a menu, tool bar, tree or accelerator command.
    void runCommand(int command);

    QAction* commandAction(int command) const;
    CFormView* openedForm(int command) const;
    int openFormCount() const;
    QTreeWidget* areaTree() const { return tree_; }
    print::ReportPrinting& printing() { return *printing_; }
    QDockWidget* treeBar() const { return treeBar_; }
    QMdiArea* mdiArea() const { return mdi_; }
    ShellHelp& help() const { return *help_; }

    // The placement of the window as the "LastWinPos" value stores it, and its restoration.
    QString placementText() const;
    bool restorePlacement(const QString& text);

signals:
    // The refresh message: every open form re-reads all its fields from the image.
    void refreshAllFormsRequested();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createActions();
    void createToolBar();
    void createTreeBar();
    void createStatusBar();
    void renewClock();
    // Undo and Redo are enabled while there is a step for them.
    void updateUndoActions();
    void treeItemChosen(QTreeWidgetItem* item);
    void forgetClosedForms();
    // The Window menu ends with the open child windows; choosing one activates it.
    void listChildWindows();
    void showTreeBar(bool focus);
    // Stacks the child windows one above the other (Qt::Vertical) or side by side.
    void tileWindows(Qt::Orientation stacking);
    // Lines the minimised child windows up along the bottom edge.
    void arrangeMinimized();
    // Paints every child window again, bottom to top, once the forms have followed a change.
    void repaintChildWindowsLater();
    QString text(int index) const;
    // Every key sequence of the main window's commands.
    QList<QKeySequence> acceleratorKeys() const;

    ShellController& shell_;
    FormContext formContext_;
    ImageUndoStack* undo_ = nullptr;
    QMdiArea* mdi_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QDockWidget* treeBar_ = nullptr;
    QTreeWidget* tree_ = nullptr;
    QLabel* portPane_ = nullptr;
    QLabel* datePane_ = nullptr;
    QLabel* timePane_ = nullptr;
    QLabel* textPane_ = nullptr;
    QTimer* clock_ = nullptr;
    std::map<int, QAction*> actions_;
    QMenu* windowMenu_ = nullptr;
    QList<QAction*> windowListActions_;
    std::map<int, QPointer<QMdiSubWindow>> forms_;
    int currentChannel_ = 0;
    std::unique_ptr<print::ReportPrinting> printing_;
    bool treeWanted_ = true; // visible state of the tree bar, remembered for the run
    ShellHelp* help_ = nullptr;
};

} // namespace rps
