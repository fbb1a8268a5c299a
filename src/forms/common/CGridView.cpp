#include "forms/common/CGridView.h"

#include "forms/common/GridClipText.h"
#include "texts/LanguageTable.h"

#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyleOptionHeader>

#include <algorithm>

namespace rps {

GridMenuTexts gridMenuTexts(const LanguageTable& texts)
{
    return gridMenuTexts([&texts](int n) { return QString::fromStdString(texts.text(n)); });
}

GridMenuTexts gridMenuTexts(const std::function<QString(int)>& t)
{
    return {t(kTextGridCopy), t(kTextGridPaste), t(kTextGridDelete), t(kTextGridToClip),
            t(kTextGridToClipWithTitle)};
}

CGridView::CGridView(QWidget* parent) : QTableView(parent)
{
    delegate_ = new CGridDelegate(this);
    setItemDelegate(delegate_);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setTabKeyNavigation(false);
    setWordWrap(false);
    setCornerButtonEnabled(false);
    horizontalHeader()->setHighlightSections(false);
    horizontalHeader()->setSectionsClickable(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setDefaultAlignment(Qt::AlignCenter);
    if (auto* corner = findChild<QAbstractButton*>())
        corner->installEventFilter(this);
}

void CGridView::setGridModel(CGridModel* model)
{
    model_ = model;
    setModel(model);
    applyColumnWidths();
    setCurrentCell(0, 0);
    // A grid fitted to its rows follows them as they come and go.
    connect(model, &QAbstractItemModel::modelReset, this, &CGridView::applyFit);
    if (model->sortsByHeader()) {
        // A column header sorts by that column; the corner (the fixed column's header) restores.
        horizontalHeader()->setSectionsClickable(true);
        connect(horizontalHeader(), &QHeaderView::sectionClicked, this,
                [this](int column) { model_->headerClicked(column); });
        setCornerButtonEnabled(true);
        if (auto* corner = findChild<QAbstractButton*>())
            connect(corner, &QAbstractButton::clicked, this, [this] { model_->headerClicked(-1); });
    }
}

void CGridView::applyColumnWidths()
{
    if (!model_)
        return;
    // A header text of the chosen language never gets cut off.
    const QFontMetrics metrics = horizontalHeader()->fontMetrics();
    for (int column = 0; column < model_->gridColumns(); ++column)
        setColumnWidth(column, std::max(model_->columnWidth(column),
                                        metrics.horizontalAdvance(model_->headerText(column)) + 14));
    verticalHeader()->setFixedWidth(
        std::max(model_->fixedColumnWidth(), metrics.horizontalAdvance(model_->fixedHeaderText()) + 12));
    // Never wider than its columns; narrower, it scrolls sideways.
    setMaximumWidth(contentWidth());
    updateGeometry();
}

QSize CGridView::sizeHint() const
{
    return {contentWidth(), QTableView::sizeHint().height()};
}

int CGridView::contentWidth() const
{
    const bool scrolls = verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff;
    int width = verticalHeader()->width() + 2 * frameWidth() +
                (scrolls ? verticalScrollBar()->sizeHint().width() : 0);
    for (int column = 0; model_ && column < model_->gridColumns(); ++column)
        width += columnWidth(column);
    return width;
}

void CGridView::fitRows(int visibleRows, int mostRows)
{
    fitVisible_ = visibleRows;
    fitMost_ = mostRows;
    applyFit();
}

void CGridView::applyFit()
{
    if (fitVisible_ <= 0)
        return;
    const int rows = model_ ? model_->gridRows() : 0;
    // A grid that always shows all its rows needs no scroll bar.
    setVerticalScrollBarPolicy(fitVisible_ >= (fitMost_ >= 0 ? fitMost_ : rows) ? Qt::ScrollBarAlwaysOff
                                                                                : Qt::ScrollBarAsNeeded);
    setFixedWidth(contentWidth());
    const int shown = std::clamp(rows, 1, fitVisible_);
    setFixedHeight(horizontalHeader()->sizeHint().height() + shown * verticalHeader()->defaultSectionSize() +
                   2 * frameWidth());
}

bool CGridView::eventFilter(QObject* object, QEvent* event)
{
    // The corner above the fixed column carries that column's header text.
    auto* corner = qobject_cast<QAbstractButton*>(object);
    if (corner && event->type() == QEvent::Paint && model_) {
        QPainter painter(corner);
        QStyleOptionHeader option;
        option.initFrom(corner);
        option.state |= QStyle::State_Enabled | QStyle::State_Active; // a caption, not a disabled button
        option.palette = horizontalHeader()->palette();
        option.palette.setCurrentColorGroup(QPalette::Active);
        option.rect = corner->rect();
        option.text = model_->fixedHeaderText();
        option.textAlignment = Qt::AlignCenter;
        option.position = QStyleOptionHeader::OnlyOneSection;
        style()->drawControl(QStyle::CE_Header, &option, &painter, corner);
        return true;
    }
    return QTableView::eventFilter(object, event);
}

void CGridView::setCurrentCell(int row, int column)
{
    if (!model_ || model_->gridRows() == 0 || model_->gridColumns() == 0)
        return;
    row = std::clamp(row, 0, model_->gridRows() - 1);
    column = std::clamp(column, 0, model_->gridColumns() - 1);
    const QModelIndex index = model_->index(row, column);
    if (rowMode_) {
        anchorRow_ = row;
        selectionModel()->setCurrentIndex(index,
                                          QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    } else {
        selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect);
    }
    scrollTo(index);
}

void CGridView::setRowMode(bool on)
{
    if (rowMode_ == on)
        return;
    rowMode_ = on;
    const QModelIndex current = currentIndex();
    setSelectionBehavior(on ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    setSelectionMode(on ? QAbstractItemView::ContiguousSelection : QAbstractItemView::SingleSelection);
    setCurrentCell(current.row(), on ? 0 : current.column());
}

std::pair<int, int> CGridView::selectedRowRange() const
{
    const int current = std::max(currentIndex().row(), 0);
    if (!rowMode_)
        return {current, current};
    int first = current;
    int last = current;
    for (const QModelIndex& index : selectionModel()->selectedRows()) {
        first = std::min(first, index.row());
        last = std::max(last, index.row());
    }
    return {first, last};
}

void CGridView::extendRowSelection(int rowDelta)
{
    const int row = std::clamp(currentIndex().row() + rowDelta, 0, model_->gridRows() - 1);
    const QModelIndex index = model_->index(row, 0);
    selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    const int first = std::min(anchorRow_, row);
    const int last = std::max(anchorRow_, row);
    selectionModel()->select(
        QItemSelection(model_->index(first, 0), model_->index(last, model_->gridColumns() - 1)),
        QItemSelectionModel::ClearAndSelect);
    scrollTo(index);
}

void CGridView::moveBy(int rowDelta, int columnDelta, bool wrap)
{
    const QModelIndex current = currentIndex();
    int row = current.row() + rowDelta;
    int column = current.column() + columnDelta;
    const int lastRow = model_->gridRows() - 1;
    const int lastColumn = model_->gridColumns() - 1;
    if (wrap && column > lastColumn) {
        if (row >= lastRow)
            return; // the last cell of the grid stays
        ++row;
        column = 0;
    } else if (wrap && column < 0) {
        if (row <= 0)
            return;
        --row;
        column = lastColumn;
    }
    setCurrentCell(std::clamp(row, 0, lastRow), std::clamp(column, 0, lastColumn));
}

bool CGridView::openEditor(int row, int column, std::optional<QString> initialText)
{
    if (!model_)
        return false;
    const int target = model_->editColumnFor(row, column);
    if (target < 0)
        return false;
    const QModelIndex index = model_->index(row, target);
    if (!(model_->flags(index) & Qt::ItemIsEditable))
        return false;
    setRowMode(false);
    setCurrentCell(row, target);
    const bool typed = initialText && !initialText->isEmpty();
    delegate_->setInitialText(initialText);
    if (!QTableView::edit(index, QAbstractItemView::AllEditTriggers, nullptr)) {
        delegate_->setInitialText(std::nullopt);
        return false;
    }
    QWidget* editor = indexWidget(index);
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (combo && !combo->isEditable() && typed)
        combo->showPopup();
    // The typed character is the start of the new text, not a selection to replace.
    QLineEdit* line = combo ? combo->lineEdit() : qobject_cast<QLineEdit*>(editor);
    if (line && initialText)
        line->end(false);
    return true;
}

bool CGridView::typeCharacter(const QString& text)
{
    const QModelIndex current = currentIndex();
    const int column = model_->editColumnFor(current.row(), current.column());
    if (column < 0 || text.size() != 1 || text.at(0).unicode() > 0x7E || text.at(0).unicode() < 0x20)
        return false;
    const CellEditor editorInfo = model_->cellEditor(current.row(), column);
    const char typed = static_cast<char>(text.at(0).unicode());
    if (editorInfo.kind == CellEditorKind::DropDown) {
        for (const QString& choice : editorInfo.choices) {
            if (choice.startsWith(text, Qt::CaseInsensitive))
                return openEditor(current.row(), current.column(), text);
        }
        return false;
    }
    const auto accepted = filterCharacter(editorInfo.filter, typed, {}, {});
    if (!accepted)
        return false;
    return openEditor(current.row(), current.column(), QString(QChar(*accepted)));
}

void CGridView::keyPressEvent(QKeyEvent* event)
{
    if (!model_ || isEditing()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    const QModelIndex current = currentIndex();
    switch (event->key()) {
    case Qt::Key_Right:
    case Qt::Key_Left:
        setRowMode(false);
        moveBy(0, event->key() == Qt::Key_Right ? 1 : -1, true);
        return;
    case Qt::Key_Up:
    case Qt::Key_Down: {
        const int delta = event->key() == Qt::Key_Down ? 1 : -1;
        if (mods & Qt::ShiftModifier) {
            setRowMode(true);
            extendRowSelection(delta);
        } else {
            setRowMode(false);
            moveBy(delta, 0, false);
        }
        return;
    }
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        if (mods & Qt::ControlModifier)
            break;
        movePage(event->key() == Qt::Key_PageDown ? 1 : -1);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        setRowMode(false);
        if (!openEditor(current.row(), current.column()))
            moveBy(0, 1, true);
        return;
    case Qt::Key_F2: // the spreadsheet habit: edit the cell in place, as Enter does
        setRowMode(false);
        openEditor(current.row(), current.column());
        return;
    case Qt::Key_Backspace:
        openEditor(current.row(), current.column(), QString());
        return;
    case Qt::Key_Delete:
        // Rows are deleted only where the form has row commands; elsewhere Delete clears the cell.
        if (rowMode_ && model_->hasRowCommands())
            runRowCommand(GridRowCommand::Delete);
        else
            openEditor(current.row(), current.column(), QString());
        return;
    case Qt::Key_Menu: {
        if (!model_->offersShortcutMenu())
            return;
        QMenu* menu = buildShortcutMenu();
        menu->exec(viewport()->mapToGlobal(visualRect(current).center()));
        menu->deleteLater();
        return;
    }
    case Qt::Key_F1:
        emit helpRequested(current.column());
        return;
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (mods & Qt::ControlModifier) {
            event->ignore(); // window switching belongs to the frame
            return;
        }
        focusNextPrevChild(event->key() == Qt::Key_Tab && !(mods & Qt::ShiftModifier));
        return;
    case Qt::Key_C:
    case Qt::Key_V:
        if (mods == Qt::ControlModifier) {
            if (model_->hasRowCommands())
                runRowCommand(event->key() == Qt::Key_C ? GridRowCommand::Copy : GridRowCommand::Paste);
            return;
        }
        break;
    default:
        break;
    }
    if (!(mods & (Qt::ControlModifier | Qt::AltModifier)) && !event->text().isEmpty() &&
        event->text().at(0).isPrint()) {
        typeCharacter(event->text());
        return;
    }
    QTableView::keyPressEvent(event);
}

int CGridView::fullyVisibleRows() const
{
    return std::max(1, viewport()->height() / std::max(1, verticalHeader()->defaultSectionSize()));
}

void CGridView::movePage(int direction)
{
    const int page = fullyVisibleRows();
    // Rows scroll one item at a time: the bar's value is the first row shown.
    QScrollBar* bar = verticalScrollBar();
    bar->setValue(bar->value() + direction * page);
    const QModelIndex current = currentIndex();
    setCurrentCell(current.row() + direction * page, std::max(current.column(), 0));
}

void CGridView::mousePressEvent(QMouseEvent* event)
{
    // A click in a cell returns to cell mode, as a plain arrow or Enter does.
    if (indexAt(event->position().toPoint()).isValid())
        setRowMode(false);
    QTableView::mousePressEvent(event);
}

void CGridView::wheelEvent(QWheelEvent* event)
{
    if (event->modifiers() & Qt::ControlModifier) {
        const int notches = event->angleDelta().y() / 120;
        QScrollBar* bar = verticalScrollBar();
        bar->setValue(bar->value() - notches * bar->pageStep());
        event->accept();
        return;
    }
    QTableView::wheelEvent(event);
}

void CGridView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const QModelIndex index = indexAt(event->pos());
    if (index.isValid())
        openEditor(index.row(), index.column());
    else
        QTableView::mouseDoubleClickEvent(event);
}

void CGridView::contextMenuEvent(QContextMenuEvent* event)
{
    if (!model_ || !model_->offersShortcutMenu())
        return;
    QMenu* menu = buildShortcutMenu();
    menu->exec(event->globalPos());
    menu->deleteLater();
}

QMenu* CGridView::buildShortcutMenu()
{
    auto* menu = new QMenu(this);
    if (model_ && model_->hasRowCommands()) {
        menu->addAction(menuTexts_.copy, QKeySequence(Qt::CTRL | Qt::Key_C), this,
                        [this] { runRowCommand(GridRowCommand::Copy); });
        menu->addAction(menuTexts_.paste, QKeySequence(Qt::CTRL | Qt::Key_V), this,
                        [this] { runRowCommand(GridRowCommand::Paste); });
        menu->addAction(menuTexts_.remove, QKeySequence(Qt::Key_Delete), this,
                        [this] { runRowCommand(GridRowCommand::Delete); });
        menu->addSeparator();
    }
    menu->addAction(menuTexts_.toClip, this, [this] { copyToClipboard(false); });
    menu->addAction(menuTexts_.toClipWithTitle, this, [this] { copyToClipboard(true); });
    return menu;
}

void CGridView::runRowCommand(GridRowCommand command)
{
    if (!model_ || !model_->hasRowCommands())
        return;
    const auto [first, last] = selectedRowRange();
    model_->rowCommand(command, first, last);
    model_->refreshAll();
}

QString CGridView::clipText(bool withTitle) const
{
    if (!model_)
        return {};
    const auto [first, last] = selectedRowRange();
    std::vector<std::vector<std::string>> rows;
    for (int row = first; row <= last; ++row) {
        std::vector<std::string> cells{model_->fixedText(row).toStdString()};
        for (int column = 0; column < model_->gridColumns(); ++column)
            cells.push_back(model_->cellText(row, column).toStdString());
        rows.push_back(std::move(cells));
    }
    std::vector<std::string> headers{model_->fixedHeaderText().toStdString()};
    for (int column = 0; column < model_->gridColumns(); ++column)
        headers.push_back(model_->headerText(column).toStdString());
    return QString::fromStdString(gridClipText(rows, withTitle ? &headers : nullptr));
}

void CGridView::copyToClipboard(bool withTitle)
{
    QApplication::clipboard()->setText(clipText(withTitle));
}

void CGridView::currentChanged(const QModelIndex& current, const QModelIndex& previous)
{
    QTableView::currentChanged(current, previous);
    if (current.isValid() && current.row() != previous.row())
        emit currentCellChanged(current.row(), current.column());
    else if (current.isValid() && current.column() != previous.column())
        emit currentCellChanged(current.row(), current.column());
}

void CGridView::closeEditor(QWidget* editor, QAbstractItemDelegate::EndEditHint hint)
{
    const QModelIndex index = currentIndex();
    QTableView::closeEditor(editor, QAbstractItemDelegate::NoHint);
    if (hint == QAbstractItemDelegate::RevertModelCache || !model_ || !index.isValid())
        return;
    if (hint == QAbstractItemDelegate::SubmitModelCache) {
        emit editorCommitted(index.row(), index.column());
        const QModelIndex next = model_->cellAfterCommit(index.row(), index.column());
        if (next.isValid())
            setCurrentCell(next.row(), next.column());
    } else if (hint == QAbstractItemDelegate::EditNextItem ||
               hint == QAbstractItemDelegate::EditPreviousItem) {
        emit editorCommitted(index.row(), index.column());
        focusNextPrevChild(hint == QAbstractItemDelegate::EditNextItem);
    }
}

} // namespace rps
