#include "service/CMemMapDialog.h"

#include "forms/common/CCharFilterValidator.h"
#include "forms/common/HelpRequest.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

namespace rps {

namespace {

// The two-character hex editor over a cell.
class CHexCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    std::optional<QString> initialText;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        auto* edit = new QLineEdit(parent);
        edit->setFrame(false);
        edit->setMaxLength(2);
        edit->setAlignment(Qt::AlignCenter);
        edit->setValidator(new CCharFilterValidator({CharFilterKind::Hex, 2, '.', {}}, edit));
        return edit;
    }
    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        auto* edit = static_cast<QLineEdit*>(editor);
        if (initialText) {
            edit->setText(*initialText);
            const_cast<CHexCellDelegate*>(this)->initialText.reset();
        } else {
            edit->setText(index.data(Qt::EditRole).toString());
            edit->selectAll();
        }
    }
    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex&) const override
    {
        editor->setGeometry(option.rect.adjusted(-2, -2, 2, 2));
    }
};

} // namespace

CMemMapGrid::CMemMapGrid(QWidget* parent) : QTableView(parent)
{
    setItemDelegate(new CHexCellDelegate(this));
    setEditTriggers(QAbstractItemView::DoubleClicked);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setTabKeyNavigation(false);
    setCornerButtonEnabled(false);
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    horizontalHeader()->setFont(font());
    verticalHeader()->setFont(font());
    horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    horizontalHeader()->setHighlightSections(false);
    verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    verticalHeader()->setHighlightSections(false);
}

void CMemMapGrid::setMemMapModel(CMemMapModel* model)
{
    model_ = model;
    setModel(model);
}

void CMemMapGrid::selectOffset(std::size_t offset, bool characterColumn)
{
    const QModelIndex index = characterColumn ? model_->charIndex(offset) : model_->hexIndex(offset);
    setCurrentIndex(index);
    scrollTo(index, QAbstractItemView::PositionAtTop);
}

void CMemMapGrid::moveHorizontally(int delta)
{
    const auto offset = model_->offsetOf(currentIndex());
    if (!offset)
        return;
    // Moving off the end of a line continues on the next line (and back).
    const auto next = static_cast<long long>(*offset) + delta;
    if (next < 0 || next >= static_cast<long long>(model_->length()))
        return;
    selectOffset(static_cast<std::size_t>(next), model_->isCharColumn(currentIndex().column()));
    scrollTo(currentIndex());
}

void CMemMapGrid::openHexEditor(std::optional<QString> initialText)
{
    const QModelIndex index = currentIndex();
    if (!(model_->flags(index) & Qt::ItemIsEditable))
        return;
    static_cast<CHexCellDelegate*>(itemDelegate())->initialText = std::move(initialText);
    edit(index);
    if (auto* editor = qobject_cast<QLineEdit*>(indexWidget(index)); editor && editor->text().size() < 2)
        editor->end(false);
}

void CMemMapGrid::keyPressEvent(QKeyEvent* event)
{
    if (!model_ || isEditing()) {
        QTableView::keyPressEvent(event);
        return;
    }
    const QModelIndex current = currentIndex();
    const auto offset = model_->offsetOf(current);
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool inChars = model_->isCharColumn(current.column());
    switch (event->key()) {
    case Qt::Key_Right:
        moveHorizontally(1);
        return;
    case Qt::Key_Left:
        moveHorizontally(-1);
        return;
    case Qt::Key_Home:
    case Qt::Key_End: {
        if (!offset)
            return;
        const bool home = event->key() == Qt::Key_Home;
        std::size_t line = *offset / kMemMapBytesPerLine;
        if (ctrl)
            line = home ? 0 : (model_->length() - 1) / kMemMapBytesPerLine;
        const std::size_t target =
            std::min(line * kMemMapBytesPerLine + (home ? 0 : kMemMapBytesPerLine - 1), model_->length() - 1);
        selectOffset(target, inChars);
        scrollTo(currentIndex());
        return;
    }
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (ctrl && offset && model_->charactersShown()) {
            selectOffset(*offset, !inChars); // the same byte in the other half
            scrollTo(currentIndex());
            return;
        }
        focusNextPrevChild(event->key() == Qt::Key_Tab);
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        if (!inChars)
            openHexEditor(std::nullopt);
        return;
    case Qt::Key_Backspace:
    case Qt::Key_Period:
        if (!inChars)
            openHexEditor(QString());
        return;
    case Qt::Key_F1:
        emit helpRequested();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (!ctrl && text.size() == 1 && text.at(0).unicode() >= 0x20 && text.at(0).unicode() < 0x7F) {
        const char typed = static_cast<char>(text.at(0).unicode());
        if (inChars) {
            if (model_->writeCharacter(current, typed))
                moveHorizontally(1);
            return;
        }
        if (filterCharacter({CharFilterKind::Hex, 2, '.', {}}, typed, {}, {}))
            openHexEditor(text.toUpper());
        return;
    }
    QTableView::keyPressEvent(event);
}

// The viewers' help is the page of the main area's Memory Map command.
constexpr int kMemoryMapCommand = 40006;

CMemMapDialog::CMemMapDialog(MemMapSource source, std::span<uint8_t> mainArea, const MemMapDialogSetup& setup,
                             QWidget* parent)
    : QDialog(parent)
{
    setHelpCommand(this, kMemoryMapCommand);
    setWindowTitle(setup.caption);
    model_ = new CMemMapModel(std::move(source), mainArea, this);
    grid_ = new CMemMapGrid(this);
    grid_->setMemMapModel(model_);
    connect(model_, &CMemMapModel::writeRefused, this, &CMemMapDialog::writeRefused);

    address_ = new QLineEdit(this);
    address_->setMaxLength(4);
    address_->setValidator(new CCharFilterValidator({CharFilterKind::Hex, 4, '.', {}}, address_));
    address_->setFont(grid_->font());
    address_->setFixedWidth(address_->fontMetrics().horizontalAdvance("WWWWWW"));
    auto* closeButton = new QPushButton(setup.closeLabel, this);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(address_);
    if (setup.charactersOffered) {
        characters_ = new QCheckBox(setup.charactersLabel, this);
        bottom->addWidget(characters_);
        connect(characters_, &QCheckBox::toggled, this, &CMemMapDialog::setCharactersShown);
    }
    bottom->addStretch(1);
    bottom->addWidget(closeButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(grid_, 1);
    layout->addLayout(bottom);

    connect(closeButton, &QPushButton::clicked, this, &QDialog::accept);
    // Enter in the address entry goes to the address; it must not reach the dialog's Close.
    address_->installEventFilter(this);
    connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            &CMemMapDialog::showAddressOfCurrentCell);
    setCharactersShown(false);
    grid_->selectOffset(static_cast<std::size_t>(std::max(setup.firstLine, 0)) * kMemMapBytesPerLine %
                        std::max<std::size_t>(model_->length(), 1));
    grid_->setFocus();
}

void CMemMapDialog::setCharactersShown(bool shown)
{
    const auto offset = model_->offsetOf(grid_->currentIndex());
    model_->setCharactersShown(shown);
    const int cell = grid_->fontMetrics().horizontalAdvance("WWW") + 6;
    // A column is never narrower than its "__X" header, or the headers run into each other.
    QHeaderView* header = grid_->horizontalHeader();
    for (int column = 0; column < model_->columnCount(); ++column)
        grid_->setColumnWidth(column, std::max(model_->isCharColumn(column) ? cell * 2 / 3 : cell,
                                               header->sectionSizeHint(column)));
    if (shown)
        grid_->setColumnWidth(CMemMapModel::kGapColumn, cell / 2);
    // An area of sixteen lines or fewer is shown whole, with no room kept for a scroll bar.
    const bool scrolls = model_->rowCount() > 16;
    grid_->setVerticalScrollBarPolicy(scrolls ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    int width = grid_->verticalHeader()->sizeHint().width() +
                (scrolls ? grid_->verticalScrollBar()->sizeHint().width() : 0) + 2 * grid_->frameWidth() + 4;
    for (int column = 0; column < model_->columnCount(); ++column)
        width += grid_->columnWidth(column);
    grid_->setFixedWidth(width);
    // Up to sixteen lines on show; a short area (a channel record) is shown whole.
    const int lines = std::min(model_->rowCount(), 16);
    const int height = grid_->horizontalHeader()->sizeHint().height() +
                       lines * grid_->verticalHeader()->defaultSectionSize() + 2 * grid_->frameWidth() + 2;
    if (!scrolls)
        grid_->setFixedHeight(height);
    else
        grid_->setMinimumHeight(height);
    // A shown viewer widens or narrows on both sides of the grid and stays on its screen.
    const bool shownAlready = isVisible();
    const QPoint centre = frameGeometry().center();
    adjustSize();
    if (shownAlready)
        keepOnScreen(centre);
    if (offset)
        grid_->selectOffset(*offset);
}

void CMemMapDialog::keepOnScreen(QPoint centre)
{
    QRect frame = frameGeometry();
    frame.moveCenter(centre);
    if (const QScreen* shownOn = screen()) {
        const QRect room = shownOn->availableGeometry();
        frame.moveLeft(
            std::clamp(frame.left(), room.left(), std::max(room.left(), room.right() - frame.width() + 1)));
        frame.moveTop(
            std::clamp(frame.top(), room.top(), std::max(room.top(), room.bottom() - frame.height() + 1)));
    }
    move(frame.topLeft());
}

bool CMemMapDialog::goToAddress(std::size_t address)
{
    if (address < model_->baseAddress() || address - model_->baseAddress() >= model_->length())
        return false;
    grid_->selectOffset(address - model_->baseAddress());
    return true;
}

int CMemMapDialog::firstVisibleLine() const
{
    return std::max(grid_->rowAt(0), 0);
}

bool CMemMapDialog::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == address_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            enterAddress();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void CMemMapDialog::enterAddress()
{
    const auto offset =
        parseMemMapAddress(address_->text().toStdString(), model_->baseAddress(), model_->length());
    if (offset)
        grid_->selectOffset(*offset);
    else
        showAddressOfCurrentCell();
}

void CMemMapDialog::showAddressOfCurrentCell()
{
    const auto offset = model_->offsetOf(grid_->currentIndex());
    if (offset)
        address_->setText(
            QStringLiteral("%1").arg(model_->baseAddress() + *offset, 4, 16, QLatin1Char('0')).toUpper());
}

} // namespace rps
