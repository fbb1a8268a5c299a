#include "app/CMainFrame.h"

#include "app/FieldUndoKeys.h"
#include "app/ImageUndoStack.h"
#include "app/ShellCommands.h"
#include "app/ShellController.h"
#include "app/ShellHelp.h"
#include "app/ShellMenus.h"
#include "app/ShellTexts.h"
#include "forms/FormCatalog.h"
#include "forms/common/CChildFrame.h"
#include "model/ModelBlock.h"
#include "print/ReportPrinting.h"
#include "service/MemMapOpeners.h"

#include <QAction>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QDockWidget>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>
#include <algorithm>

namespace rps {

namespace {

constexpr int kCommandRole = Qt::UserRole + 1;
constexpr int kWindowMenuText = 117;

struct Accelerator {
    int command;
    QKeyCombination keys;
};

// Save As has no accelerator although its menu text shows one.
const Accelerator kAccelerators[] = {
    {cmd::kNew, Qt::CTRL | Qt::Key_N},
    {cmd::kOpen, Qt::CTRL | Qt::Key_O},
    {cmd::kSave, Qt::CTRL | Qt::Key_S},
    {cmd::kPrint, Qt::CTRL | Qt::Key_P},
    {cmd::kReadFromRadio, Qt::CTRL | Qt::Key_R},
    {cmd::kWriteToRadio, Qt::CTRL | Qt::Key_W},
    {cmd::kTestMode, Qt::CTRL | Qt::Key_T},
    {cmd::kMemoryMap, Qt::CTRL | Qt::Key_M},
    {cmd::kMemoryMapEeprom, Qt::CTRL | Qt::Key_E},
    {cmd::kUndo, Qt::CTRL | Qt::Key_Z},
};

} // namespace

CMainFrame::CMainFrame(ShellController& shell, QWidget* parent)
    : QMainWindow(parent),
      shell_(shell), formContext_{shell.image(), shell.texts(), shell.options(), shell.dialogs(), *this},
      printing_(std::make_unique<print::ReportPrinting>(formContext_))
{
    setObjectName("mainFrame");
    setWindowIcon(style()->standardIcon(QStyle::SP_ComputerIcon));
    mdi_ = new QMdiArea(this);
    mdi_->setObjectName("mdiArea");
    // A child window larger than the work area is scrolled to, never cut off.
    mdi_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    mdi_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setCentralWidget(mdi_);
    undo_ = new ImageUndoStack(shell.image(), this);
    connect(undo_, &ImageUndoStack::imageRestored, this, &CMainFrame::refreshAllForms);
    connect(undo_, &ImageUndoStack::availabilityChanged, this, &CMainFrame::updateUndoActions);

    createActions();
    createToolBar();
    createTreeBar();
    createStatusBar();
    rebuildMenus();
    updateTitle();
    updateTree();
    help_ = new ShellHelp(shell_.texts(),
                          shell_.helpFolder().empty() ? QCoreApplication::applicationDirPath().toStdString()
                                                      : shell_.helpFolder(),
                          this);
    resize(1100, 720);
}

CMainFrame::~CMainFrame() = default;

QString CMainFrame::text(int index) const
{
    return QString::fromStdString(shell_.texts().text(index));
}

void CMainFrame::createActions()
{
    std::vector<int> commands;
    for (const MenuDefinition& menu : mainMenuLayout(shell_.options(), editMenuForms())) {
        for (const MenuEntry& entry : menu.entries) {
            if (entry.command != 0)
                commands.push_back(entry.command);
        }
    }
    commands.push_back(cmd::kFocusTree);
    for (int command : commands) {
        auto* action = new QAction(this);
        action->setObjectName(QString("command%1").arg(command));
        action->setData(command);
        connect(action, &QAction::triggered, this, [this, command] { runCommand(command); });
        actions_[command] = action;
        addAction(action); // accelerators work whatever menu is shown
    }
    for (const Accelerator& accelerator : kAccelerators)
        actions_[accelerator.command]->setShortcut(QKeySequence(accelerator.keys));
    actions_[cmd::kTreeView]->setShortcuts(
        QList<QKeySequence>{QKeySequence(Qt::ControlModifier | Qt::Key_0),
                            QKeySequence(Qt::ControlModifier | Qt::KeypadModifier | Qt::Key_0)});
    actions_[cmd::kFocusTree]->setShortcuts(
        QList<QKeySequence>{QKeySequence(Qt::AltModifier | Qt::Key_0),
                            QKeySequence(Qt::AltModifier | Qt::KeypadModifier | Qt::Key_0)});
    actions_[cmd::kRedo]->setShortcuts(
        QList<QKeySequence>{QKeySequence(Qt::ControlModifier | Qt::Key_Y),
                            QKeySequence(Qt::ControlModifier | Qt::ShiftModifier | Qt::Key_Z)});
    QCoreApplication::instance()->installEventFilter(
        new FieldUndoKeys(actions_[cmd::kUndo]->shortcuts(), actions_[cmd::kRedo]->shortcuts(), this));
    for (int command : {cmd::kTreeView, cmd::kToolBar, cmd::kStatusBar})
        actions_[command]->setCheckable(true);

    QStyle* s = style();
    actions_[cmd::kNew]->setIcon(s->standardIcon(QStyle::SP_FileIcon));
    actions_[cmd::kOpen]->setIcon(s->standardIcon(QStyle::SP_DialogOpenButton));
    actions_[cmd::kSave]->setIcon(s->standardIcon(QStyle::SP_DialogSaveButton));
    actions_[cmd::kUndo]->setIcon(s->standardIcon(QStyle::SP_ArrowBack));
    actions_[cmd::kRedo]->setIcon(s->standardIcon(QStyle::SP_ArrowForward));
    actions_[cmd::kReadFromRadio]->setIcon(s->standardIcon(QStyle::SP_ArrowDown));
    actions_[cmd::kWriteToRadio]->setIcon(s->standardIcon(QStyle::SP_ArrowUp));
    actions_[cmd::kModelInformation]->setIcon(s->standardIcon(QStyle::SP_FileDialogInfoView));
    actions_[cmd::kCommunicationPort]->setIcon(s->standardIcon(QStyle::SP_DriveNetIcon));
    actions_[cmd::kTreeView]->setIcon(s->standardIcon(QStyle::SP_FileDialogListView));
    actions_[cmd::kAbout]->setIcon(s->standardIcon(QStyle::SP_MessageBoxInformation));
}

void CMainFrame::createToolBar()
{
    toolBar_ = addToolBar(QString());
    toolBar_->setObjectName("toolBar");
    toolBar_->setMovable(false);
    toolBar_->setIconSize(QSize(20, 20));
    for (int command : {cmd::kNew, cmd::kOpen, cmd::kSave, 0, cmd::kUndo, cmd::kRedo, 0, cmd::kReadFromRadio,
                        cmd::kWriteToRadio, 0, cmd::kModelInformation, cmd::kCommunicationPort, 0,
                        cmd::kTreeView, 0, cmd::kAbout}) {
        if (command == 0)
            toolBar_->addSeparator();
        else
            toolBar_->addAction(actions_[command]);
    }
}

void CMainFrame::createTreeBar()
{
    treeBar_ = new QDockWidget(this);
    treeBar_->setObjectName("treeBar");
    treeBar_->setFeatures(QDockWidget::DockWidgetClosable | QDockWidget::DockWidgetMovable);
    tree_ = new QTreeWidget(treeBar_);
    tree_->setObjectName("areaTree");
    tree_->setHeaderHidden(true);
    tree_->setRootIsDecorated(true);
    tree_->setUniformRowHeights(true);
    treeBar_->setWidget(tree_);
    addDockWidget(Qt::LeftDockWidgetArea, treeBar_);
    resizeDocks({treeBar_}, {250}, Qt::Horizontal);
    connect(tree_, &QTreeWidget::itemActivated, this, &CMainFrame::treeItemChosen);
    connect(tree_, &QTreeWidget::itemClicked, this, &CMainFrame::treeItemChosen);
    // Closing the bar with its own button counts like the Tree View command.
    connect(treeBar_, &QDockWidget::visibilityChanged, this,
            [this](bool visible) { actions_[cmd::kTreeView]->setChecked(visible); });
}

void CMainFrame::createStatusBar()
{
    QStatusBar* bar = statusBar();
    bar->setObjectName("statusBar");
    portPane_ = new QLabel(bar);
    portPane_->setObjectName("portPane");
    datePane_ = new QLabel(bar);
    timePane_ = new QLabel(bar);
    textPane_ = new QLabel(bar);
    textPane_->setObjectName("textPane");
    bar->addWidget(portPane_, 1);
    for (QLabel* pane : {datePane_, timePane_, textPane_}) {
        pane->setFrameShape(QFrame::StyledPanel);
        pane->setFrameShadow(QFrame::Sunken);
        pane->setContentsMargins(6, 0, 6, 0);
        bar->addPermanentWidget(pane);
    }
    clock_ = new QTimer(this);
    connect(clock_, &QTimer::timeout, this, &CMainFrame::renewClock);
    clock_->start(1000);
    updatePortPane();
    renewClock();
}

void CMainFrame::renewClock()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QLocale locale;
    datePane_->setText(locale.toString(now.date(), QLocale::ShortFormat));
    // The locale's long time without the time zone, as "%X" shows it.
    QString timeFormat = locale.timeFormat(QLocale::LongFormat);
    timeFormat.remove('t');
    timePane_->setText(locale.toString(now.time(), timeFormat.trimmed()));
}

void CMainFrame::updatePortPane()
{
    portPane_->setText(QString::fromStdString(portPaneText(shell_.portNumber(), shell_.portDevice())));
}

void CMainFrame::rebuildMenus()
{
    QMenuBar* bar = menuBar();
    for (QAction* top : bar->actions()) {
        if (QMenu* old = top->menu())
            old->deleteLater();
    }
    bar->clear();
    windowListActions_.clear();
    for (const MenuDefinition& definition : mainMenuLayout(shell_.options(), editMenuForms())) {
        QMenu* menu = bar->addMenu(text(definition.titleText));
        if (definition.titleText == kWindowMenuText) {
            windowMenu_ = menu;
            connect(menu, &QMenu::aboutToShow, this, &CMainFrame::listChildWindows);
        }
        for (const MenuEntry& entry : definition.entries) {
            if (entry.command == 0) {
                menu->addSeparator();
                continue;
            }
            QAction* action = actions_[entry.command];
            action->setText(text(entry.text));
            const bool form = formRegistration(entry.command) != nullptr;
            action->setEnabled(form ? shell_.findForm(entry.command) != nullptr
                                    : isCommandAvailable(entry.command));
            menu->addAction(action);
        }
    }
    actions_[cmd::kFocusTree]->setEnabled(true);
    updateUndoActions();
    actions_[cmd::kTreeView]->setChecked(treeBar_->isVisible());
    actions_[cmd::kToolBar]->setChecked(!toolBar_->isHidden());
    actions_[cmd::kStatusBar]->setChecked(!statusBar()->isHidden());
    for (auto& [command, action] : actions_) {
        QString tip = action->text().section('\t', 0, 0);
        tip.remove('&');
        action->setToolTip(tip);
    }
    toolBar_->setWindowTitle(text(115).remove('&'));
    treeBar_->setWindowTitle(text(634));
    textPane_->setText(text(140));
}

void CMainFrame::updateUndoActions()
{
    actions_[cmd::kUndo]->setEnabled(undo_->canUndo());
    actions_[cmd::kRedo]->setEnabled(undo_->canRedo());
}

void CMainFrame::listChildWindows()
{
    for (QAction* action : windowListActions_) {
        windowMenu_->removeAction(action);
        delete action;
    }
    windowListActions_.clear();
    const QList<QMdiSubWindow*> windows = mdi_->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty())
        return;
    windowListActions_.push_back(windowMenu_->addSeparator());
    int number = 1;
    for (QMdiSubWindow* window : windows) {
        QAction* action = windowMenu_->addAction(QString("&%1 %2").arg(number++).arg(window->windowTitle()));
        action->setCheckable(true);
        action->setChecked(window == mdi_->activeSubWindow());
        connect(action, &QAction::triggered, this, [this, target = QPointer<QMdiSubWindow>(window)] {
            if (!target.isNull())
                mdi_->setActiveSubWindow(target);
        });
        windowListActions_.push_back(action);
    }
}

void CMainFrame::updateTitle()
{
    TitleParts parts;
    parts.modelDescription = describeModel(readModelBlock(shell_.image().main()));
    parts.dataText = shell_.texts().text(149);
    parts.fileName = shell_.fileName();
    parts.demo = shell_.options().demo;
    parts.demoText = shell_.texts().text(1355);
    setWindowTitle(QString::fromStdString(mainTitle(parts)));
}

void CMainFrame::updateTree()
{
    tree_->clear();
    auto* root = new QTreeWidgetItem(tree_);
    root->setText(0, QString::fromStdString(modelDisplayName(readModelBlock(shell_.image().main()))));
    root->setIcon(0, style()->standardIcon(QStyle::SP_DriveHDIcon));
    const QIcon formIcon = style()->standardIcon(QStyle::SP_FileDialogDetailedView);
    for (const FormDescriptor& form : formCatalog()) {
        if (form.place == FormPlace::FromOtherForms)
            continue;
        auto* item = new QTreeWidgetItem(root);
        item->setText(0, text(form.titleText));
        item->setIcon(0, formIcon);
        item->setData(0, kCommandRole, form.command);
        if (shell_.findForm(form.command) == nullptr)
            item->setFlags(item->flags() & ~Qt::ItemIsEnabled);
    }
    root->setExpanded(true);
}

void CMainFrame::treeItemChosen(QTreeWidgetItem* item)
{
    const QVariant command = item->data(0, kCommandRole);
    if (command.isValid() && (item->flags() & Qt::ItemIsEnabled))
        runCommand(command.toInt());
}

void CMainFrame::showTreeBar(bool focus)
{
    treeBar_->show();
    treeBar_->raise();
    if (focus)
        tree_->setFocus(Qt::ShortcutFocusReason);
}

QList<QKeySequence> CMainFrame::acceleratorKeys() const
{
    QList<QKeySequence> keys;
    for (const auto& [command, action] : actions_)
        keys += action->shortcuts();
    return keys;
}

QAction* CMainFrame::commandAction(int command) const
{
    const auto it = actions_.find(command);
    return it == actions_.end() ? nullptr : it->second;
}

int CMainFrame::openFormCount() const
{
    return static_cast<int>(std::count_if(forms_.begin(), forms_.end(), [](const auto& entry) {
        return !entry.second.isNull() && !entry.second->isHidden();
    }));
}

CFormView* CMainFrame::openedForm(int command) const
{
    const auto it = forms_.find(command);
    if (it == forms_.end() || it->second.isNull() || it->second->isHidden())
        return nullptr;
    auto* window = qobject_cast<CChildFrame*>(it->second.data());
    return window ? window->form() : nullptr;
}

void CMainFrame::forgetClosedForms()
{
    // A closed child window is deleted later; it no longer counts as the form's instance.
    std::erase_if(forms_,
                  [](const auto& entry) { return entry.second.isNull() || entry.second->isHidden(); });
}

void CMainFrame::openForm(int command)
{
    forgetClosedForms();
    const auto it = forms_.find(command);
    if (it != forms_.end()) {
        QMdiSubWindow* window = it->second;
        if (window->isMinimized())
            window->showNormal();
        mdi_->setActiveSubWindow(window);
        return;
    }
    const FormDescriptor* descriptor = shell_.findForm(command);
    if (descriptor == nullptr || descriptor->create == nullptr)
        return;
    CFormView* form = descriptor->create(formContext_, nullptr);
    if (form == nullptr)
        return; // nothing shown, menus unchanged
    const int othersOpen = openFormCount();
    CChildFrame* window = form->createFrame(acceleratorKeys());
    if (window == nullptr)
        window = new CChildFrame(form, acceleratorKeys());
    window->setWindowIcon(style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    mdi_->addSubWindow(window);
    connect(this, &CMainFrame::refreshAllFormsRequested, form, &CFormView::refreshFromImage);
    forms_[command] = window;
    form->refreshFromImage();
    // Each new child window steps down from the top left corner, clear of the others' captions.
    const int offset = 24 * othersOpen;
    const QSize room = mdi_->viewport()->size() - QSize(offset, offset);
    window->resize(window->sizeHint().boundedTo(room));
    window->move(offset, offset);
    window->show();
    mdi_->setActiveSubWindow(window);
    rebuildMenus();
}

void CMainFrame::closeForm(int command)
{
    const auto it = forms_.find(command);
    if (it != forms_.end() && !it->second.isNull())
        it->second->close();
    forgetClosedForms();
}

void CMainFrame::closeAllForms()
{
    closeMemoryMaps(); // no viewer may go on showing an image that is about to be replaced
    mdi_->closeAllSubWindows();
    forgetClosedForms();
    treeBar_->hide();
}

void CMainFrame::finishImageReplacement()
{
    rebuildMenus();
    updateTitle();
    updateTree();
    if (treeWanted_)
        treeBar_->show();
    openForm(cmd::kChannelInformation);
}

void CMainFrame::refreshAllForms()
{
    emit refreshAllFormsRequested();
    repaintChildWindowsLater();
}

void CMainFrame::setCurrentChannel(int channel)
{
    if (channel == currentChannel_)
        return;
    currentChannel_ = channel;
    for (auto& [command, window] : forms_) {
        if (auto* form = openedForm(command))
            form->channelSelectionChanged(channel);
    }
    repaintChildWindowsLater();
}

FrequencyLimits CMainFrame::frequencyLimits() const
{
    return FrequencyLimits::forModelCode(readModelBlock(shell_.image().main()).modelCode(),
                                         shell_.options().fineStep);
}

char CMainFrame::decimalSeparator() const
{
    return shell_.decimalSeparator();
}

bool CMainFrame::formAvailable(int command) const
{
    return findForm(command) != nullptr;
}

void CMainFrame::showChannelRecord(int channel, QWidget* parent)
{
    openChannelRecordViewer(formContext_, channel, parent);
}

RadioLink* CMainFrame::radioLink()
{
    return &shell_.link();
}

void CMainFrame::runCommand(int command)
{
    QAction* action = commandAction(command);
    if (action != nullptr && !action->isEnabled())
        return;
    if (const FormDescriptor* form = formRegistration(command);
        form != nullptr && form->place != FormPlace::FromOtherForms) {
        openForm(command);
        return;
    }
    switch (command) {
    case cmd::kExit:
        close();
        break;
    case cmd::kPrint:
        printing_->run(print::ReportPrinting::Target::Printer, this);
        break;
    case cmd::kPrintPreview:
        printing_->run(print::ReportPrinting::Target::Preview, this);
        break;
    case cmd::kExportPdf:
        printing_->run(print::ReportPrinting::Target::Pdf, this);
        break;
    case cmd::kTreeView:
        if (treeBar_->isVisible()) {
            treeBar_->hide();
            treeWanted_ = false;
        } else {
            treeWanted_ = true;
            showTreeBar(true);
        }
        actions_[cmd::kTreeView]->setChecked(treeBar_->isVisible());
        break;
    case cmd::kFocusTree:
        if (treeBar_->isVisible())
            showTreeBar(true);
        else
            runCommand(cmd::kTreeView);
        break;
    case cmd::kToolBar:
        toolBar_->setVisible(toolBar_->isHidden());
        actions_[cmd::kToolBar]->setChecked(!toolBar_->isHidden());
        break;
    case cmd::kStatusBar:
        statusBar()->setVisible(statusBar()->isHidden());
        actions_[cmd::kStatusBar]->setChecked(!statusBar()->isHidden());
        break;
    case cmd::kCascade:
        mdi_->cascadeSubWindows();
        break;
    case cmd::kTileHorizontally:
    case cmd::kTileVertically:
        tileWindows(command == cmd::kTileHorizontally ? Qt::Vertical : Qt::Horizontal);
        break;
    case cmd::kArrange:
        arrangeMinimized();
        break;
    case cmd::kCloseAllWindows:
        closeAllForms();
        break;
    case cmd::kUndo:
        undo_->undo();
        break;
    case cmd::kRedo:
        undo_->redo();
        break;
    case cmd::kHelpTopics:
    case cmd::kHelpTopicsAdvanced:
        help_->showContents(command == cmd::kHelpTopicsAdvanced);
        break;
    // The viewers recompute the main area's checksum first and refresh every form after a change.
    case cmd::kMemoryMap:
        openMemoryMap(formContext_, MemMapArea::Main, this);
        break;
    case cmd::kMemoryMapEeprom:
        openMemoryMap(formContext_, MemMapArea::Eeprom, this);
        break;
    case cmd::kMemoryMapTrace:
        openMemoryMap(formContext_, MemMapArea::TraceData, this);
        break;
    default:
        shell_.runCommand(command);
        break;
    }
}

void CMainFrame::closeEvent(QCloseEvent* event)
{
    if (!shell_.confirmClose()) {
        event->ignore();
        return;
    }
    shell_.storePlacement(placementText());
    event->accept();
}

} // namespace rps
