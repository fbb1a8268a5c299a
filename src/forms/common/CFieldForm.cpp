#include "forms/common/CFieldForm.h"

#include "forms/common/CCharFilterValidator.h"
#include "forms/common/CFieldGridModel.h"
#include "forms/common/CGridView.h"
#include "forms/common/COrderList.h"
#include "forms/common/HelpRequest.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>

#include <algorithm>

namespace rps {

using namespace fields;

namespace {

ItemControlKind layoutKind(Control control)
{
    switch (control) {
    case Control::Edit:
        return ItemControlKind::Edit;
    case Control::EditWithSpin:
        return ItemControlKind::EditWithSpin;
    case Control::DropDown:
        return ItemControlKind::DropDown;
    case Control::Order:
        return ItemControlKind::OrderList;
    case Control::Label:
        return ItemControlKind::Text;
    case Control::EditableDropDown:
        return ItemControlKind::EditableDropDown;
    case Control::CheckBox:
        return ItemControlKind::CheckBox;
    case Control::GroupFrame:
    case Control::Grid: // the frame; its grid is added into it
        return ItemControlKind::GroupFrame;
    case Control::PushButton:
    case Control::None:
        return ItemControlKind::PushButton;
    }
    return ItemControlKind::Edit;
}

// Cells are shown by their grid, fields without a control by a dialog of the form.
bool hasOwnControl(const FieldRow& row)
{
    return row.control != Control::None && !row.place.isCell();
}

// A spin row without storage chooses the form's record (the channel number).
bool isRecordSelector(const FieldRow& row)
{
    return row.control == Control::EditWithSpin && !row.storage.hasBytes();
}

QString withoutTrailingBlanks(QString text)
{
    while (!text.isEmpty() && text.back().isSpace())
        text.chop(1);
    return text;
}

} // namespace

CFieldForm::CFieldForm(FieldTable table, SessionFactory open, TextLookup text, char decimalSeparator,
                       QWidget* parent, std::vector<int> pageTexts)
    : QWidget(parent), table_(table), open_(std::move(open))
{
    // A negative caption text is a template caption showing its number; 0 is no caption.
    const TextLookup captions = [text](int n) {
        return n < 0 ? QString::number(-n) : n == 0 ? QString() : text(n);
    };
    buildControls(captions, pageTexts, decimalSeparator);
    for (const FieldRow& row : table_)
        connectControl(row);
}

CFieldForm::~CFieldForm()
{
    // The controls lose their focus while they are taken down; that is no edit to store.
    for (const BuiltItem& built : items_) {
        disconnect(built.control, nullptr, this, nullptr);
        if (QLineEdit* line = lineOf(built.control))
            disconnect(line, nullptr, this, nullptr);
    }
    // An open cell editor commits while its grid is taken down.
    for (CGridView* grid : grids_)
        disconnect(grid->gridModel(), nullptr, this, nullptr);
}

QLineEdit* CFieldForm::lineOf(QWidget* control)
{
    if (auto* combo = qobject_cast<QComboBox*>(control))
        return combo->lineEdit();
    if (auto* spin = qobject_cast<CSpinEdit*>(control))
        return spin->findChild<QLineEdit*>();
    return qobject_cast<QLineEdit*>(control);
}

QWidget* CFieldForm::control(int item) const
{
    return items_.contains(item) ? items_.value(item).control : nullptr;
}

void CFieldForm::buildControls(const TextLookup& text, const std::vector<int>& pageTexts, char separator)
{
    // Fields without a control of their own (edited in a dialog of the form) are not laid out.
    formItems_.reserve(table_.size());
    std::vector<int> pageOf;
    int pages = 1;
    for (const FieldRow& row : table_) {
        if (!hasOwnControl(row))
            continue;
        formItems_.push_back(
            {row.item, layoutKind(row.control), row.text, row.place.column, row.place.group});
        pageOf.push_back(row.place.page);
        pages = std::max(pages, row.place.page + 1);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    QTabWidget* tabs = pages > 1 ? new QTabWidget(this) : nullptr;
    if (tabs)
        layout->addWidget(tabs);
    for (int page = 0; page < pages; ++page) {
        std::vector<FormItem> onPage;
        for (std::size_t i = 0; i < formItems_.size(); ++i) {
            if (pageOf[i] == page)
                onPage.push_back(formItems_[i]);
        }
        auto* container = new QWidget(this);
        const QMap<int, BuiltItem> built = CItemFormBuilder::build(onPage, container, text);
        for (auto it = built.begin(); it != built.end(); ++it) {
            BuiltItem item = it.value();
            // The builder saw a copy of the row; keep the one that lives as long as the form.
            for (const FormItem& kept : formItems_) {
                if (kept.item == it.key())
                    item.row = &kept;
            }
            items_.insert(it.key(), item);
            const FieldRow* row = findRow(table_, it.key());
            if (row != nullptr && !row->key.empty())
                setHelpField(item.control,
                             QString::fromUtf8(row->key.data(), static_cast<qsizetype>(row->key.size())));
        }
        for (const FieldRow& row : table_) {
            if (row.control == Control::Grid && row.place.page == page)
                buildGrid(row, text, separator);
        }
        if (tabs) {
            const auto index = static_cast<std::size_t>(page);
            tabs->addTab(container, index < pageTexts.size() ? text(pageTexts[index]) : QString());
        } else {
            layout->addWidget(container);
        }
    }

    // Filters, lengths and ranges come from the rows.
    for (const FieldRow& row : table_) {
        QWidget* widget = control(row.item);
        const CharFilterRule rule{row.input.filter, row.input.maxLength, separator, {}};
        if (auto* spin = qobject_cast<CSpinEdit*>(widget)) {
            spin->setRange({static_cast<int64_t>(row.range.min),
                            static_cast<int64_t>(row.range.max),
                            std::max<int64_t>(1, static_cast<int64_t>(row.range.step)),
                            std::nullopt,
                            {}});
            spin->setFilter(rule);
            spin->setEngineDriven(!isRecordSelector(row));
        } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
            if (row.input.maxLength > 0)
                edit->setMaxLength(row.input.maxLength);
            edit->setValidator(new CCharFilterValidator(rule, edit));
        }
    }
}

void CFieldForm::buildGrid(const FieldRow& gridRow, const TextLookup& text, char separator)
{
    const GridShape& shape = *gridRow.grid;
    std::vector<FieldColumn> columns;
    for (const GridHead& head : shape.columns)
        columns.push_back({nullptr, head.text, head.width, head.align});
    if (shape.showsRecords()) {
        // One row per record, one column per field placed in the grid.
        for (const FieldRow& row : table_) {
            const auto c = static_cast<std::size_t>(row.place.cellColumn);
            if (row.place.group == gridRow.item && row.place.isCell() && c < columns.size())
                columns[c].row = &row;
        }
    }
    CFieldGridModel::CellMatrix cells(shape.showsRecords() ? 0 : shape.rowTexts.size());
    for (auto& line : cells)
        line.resize(columns.size(), nullptr);
    for (const FieldRow& row : table_) {
        const auto r = static_cast<std::size_t>(row.place.cellRow);
        const auto c = static_cast<std::size_t>(row.place.cellColumn);
        if (row.place.group == gridRow.item && row.place.isCell() && r < cells.size() && c < columns.size())
            cells[r][c] = &row;
    }

    // The grid's words are looked up now: the model may be asked for them while the form is
    // being taken down, when the form's text lookup may no longer be usable.
    auto words = std::make_shared<QMap<int, std::string>>();
    std::vector<int> numbers{kCheckOffText, kCheckOnText, shape.unlistedText, shape.labelText};
    for (const GridHead& head : shape.columns)
        numbers.push_back(head.text);
    for (int number : numbers)
        words->insert(number, text(number).toStdString());
    QStringList rowLabels;
    for (int number : shape.rowTexts)
        rowLabels << text(number);

    auto lookup = [words](int n) { return words->value(n); };
    auto* model =
        shape.showsRecords()
            ? new CFieldGridModel(open_, std::move(columns), lookup, separator, this)
            : new CFieldGridModel(open_, std::move(cells), std::move(columns), lookup, separator, this);
    if (shape.showsRecords()) {
        model->setRecordGrid(shape);
        // Below a blank first row the rows count from 1.
        const int shift = shape.records.blankFirstRow ? 0 : 1;
        model->setRowLabels(
            [shift](int row) { return row + shift > 0 ? QString::number(row + shift) : QString(); },
            shape.labelWidth);
    } else {
        model->setRowLabels([rowLabels](int row) { return rowLabels.value(row); }, shape.labelWidth);
    }
    model->setUnlistedText(shape.unlistedText);
    model->reload();
    connect(model, &CFieldGridModel::edited, this,
            [this, item = gridRow.item](const EditResult& result) { emit edited(item, result); });

    auto* frame = static_cast<QGroupBox*>(control(gridRow.item));
    auto* view = new CGridView(frame);
    view->setObjectName(QStringLiteral("grid%1").arg(gridRow.item));
    view->setGridModel(model);
    for (const FieldRow& row : table_) {
        if (row.place.group == gridRow.item && !row.key.empty())
            setHelpCell(view, shape.showsRecords() ? -1 : row.place.cellRow, row.place.cellColumn,
                        QString::fromUtf8(row.key.data(), static_cast<qsizetype>(row.key.size())));
    }
    view->setMenuTexts(gridMenuTexts(text));
    view->fitRows(shape.showsRecords() ? std::min(model->gridRows(), 16) : model->gridRows(),
                  model->gridRows());
    static_cast<QGridLayout*>(frame->layout())->addWidget(view, 0, 0, 1, 2);
    grids_.insert(gridRow.item, view);
}

void CFieldForm::connectControl(const FieldRow& row)
{
    QWidget* widget = control(row.item);
    if (auto* spin = qobject_cast<CSpinEdit*>(widget)) {
        if (isRecordSelector(row)) {
            connect(spin, &CSpinEdit::valueCommitted, this, [this, &row](std::optional<int64_t> value) {
                const auto chosen =
                    std::clamp<int64_t>(value.value_or(record_ + 1), static_cast<int64_t>(row.range.min),
                                        static_cast<int64_t>(row.range.max));
                emit recordChosen(static_cast<int>(chosen) - 1);
            });
            return;
        }
        connect(spin, &CSpinEdit::stepRequested, this, [this, &row](int direction) {
            if (refreshing_)
                return;
            const auto session = open_();
            finish(row, session->engine().spin(row, record_, direction));
        });
        connect(spin, &CSpinEdit::textCommitted, this, [this, &row](const QString& text) {
            if (refreshing_)
                return;
            const auto session = open_();
            finish(row, session->engine().commitText(row, record_, text.trimmed().toStdString()));
        });
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
        if (combo->isEditable())
            connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, &row] { commitText(row); });
        connect(combo, &QComboBox::activated, this, [this, &row](int index) { choose(row, index); });
    } else if (auto* box = qobject_cast<QCheckBox*>(widget)) {
        connect(box, &QCheckBox::clicked, this, [this, &row](bool on) {
            if (refreshing_)
                return;
            const auto session = open_();
            finish(row, session->engine().setChecked(row, record_, on));
        });
    } else if (auto* order = qobject_cast<COrderList*>(widget)) {
        connect(order, &COrderList::moveRequested, this, [this, &row](int from, int to) {
            if (refreshing_)
                return;
            const auto session = open_();
            finish(row, session->engine().moveEntry(row, record_, from, to));
        });
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
        connect(button, &QPushButton::clicked, this, [this, &row] { emit buttonClicked(row.item); });
    } else if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        connect(edit, &QLineEdit::editingFinished, this, [this, &row] { commitText(row); });
    }
}

void CFieldForm::commitText(const FieldRow& row)
{
    QLineEdit* line = lineOf(control(row.item));
    if (refreshing_ || !line || !line->isModified())
        return;
    line->setModified(false);
    const auto session = open_();
    finish(row, session->engine().commitText(row, record_, line->text().trimmed().toStdString()));
}

void CFieldForm::choose(const FieldRow& row, int index)
{
    if (refreshing_ || index < 0)
        return;
    auto* combo = static_cast<QComboBox*>(control(row.item));
    // An editable list also reports a typed text that matches an entry as chosen; what the
    // user typed is stored as typed.
    QLineEdit* line = lineOf(combo);
    if (line && line->isModified()) {
        commitText(row);
        return;
    }
    const auto session = open_();
    const EditResult result = session->engine().choose(row, record_, combo->itemText(index).toStdString());
    if (line)
        line->setModified(false);
    finish(row, result);
}

void CFieldForm::commitPending(QWidget* widget)
{
    for (const FieldRow& row : table_) {
        QWidget* owner = control(row.item);
        if (owner && (owner == widget || owner->isAncestorOf(widget)) && row.storage.hasBytes())
            commitText(row);
    }
}

void CFieldForm::finish(const FieldRow& row, const EditResult& result)
{
    emit edited(row.item, result);
}

void CFieldForm::showField(FieldEngine& engine, const FieldRow& row)
{
    const BuiltItem& built = items_[row.item];
    if (isRecordSelector(row)) {
        static_cast<CSpinEdit*>(built.control)->setValue(record_ + 1);
        CItemFormBuilder::setItemEnabled(built, true);
        return;
    }
    const QString stored = QString::fromStdString(engine.shown(row, record_));
    const QString shown = stored.trimmed();
    switch (row.control) {
    case Control::Edit:
        // A text is shown as stored, leading blanks too (a channel name " 1").
        showUnfiltered(static_cast<QLineEdit*>(built.control), withoutTrailingBlanks(stored));
        break;
    case Control::EditWithSpin:
        static_cast<CSpinEdit*>(built.control)->setDisplayText(shown);
        break;
    case Control::Order: {
        QStringList entries;
        for (const std::string& label : engine.orderLabels(row, record_))
            entries << QString::fromStdString(label);
        static_cast<COrderList*>(built.control)->setEntries(entries);
        break;
    }
    case Control::DropDown: {
        auto* combo = static_cast<QComboBox*>(built.control);
        combo->clear();
        for (const std::string& label : engine.choiceLabels(row, record_))
            combo->addItem(QString::fromStdString(label));
        combo->setCurrentIndex(combo->findText(shown));
        break;
    }
    case Control::EditableDropDown: {
        auto* combo = static_cast<QComboBox*>(built.control);
        // The list is made again only when its entries changed (a list of programmed channels).
        QStringList labels;
        for (const std::string& label : engine.choiceLabels(row, record_))
            labels.append(QString::fromStdString(label));
        QStringList current;
        for (int i = 0; i < combo->count(); ++i)
            current.append(combo->itemText(i));
        if (labels != current) {
            combo->clear();
            combo->addItems(labels);
            // Typed codes are short, but a chosen entry (the "off" text) is never cut.
            int longest = std::max(row.input.maxLength, 3);
            for (const QString& label : labels)
                longest = std::max(longest, static_cast<int>(label.size()));
            combo->lineEdit()->setMaxLength(longest);
        }
        const int found = combo->findText(shown);
        combo->setCurrentIndex(found);
        if (found < 0)
            combo->setEditText(shown);
        combo->lineEdit()->setModified(false);
        break;
    }
    case Control::CheckBox:
        static_cast<QCheckBox*>(built.control)->setChecked(engine.checked(row, record_));
        break;
    case Control::Label:
        static_cast<QLabel*>(built.control)->setText(stored);
        break;
    case Control::GroupFrame:
    case Control::Grid:
    case Control::PushButton:
    case Control::None:
        break;
    }
    CItemFormBuilder::setItemEnabled(built, engine.enabled(row, record_));
}

void CFieldForm::refresh()
{
    refreshing_ = true;
    const auto session = open_();
    for (const FieldRow& row : table_) {
        if (hasOwnControl(row))
            showField(session->engine(), row);
    }
    for (CGridView* grid : grids_) {
        if (auto* model = qobject_cast<CFieldGridModel*>(grid->gridModel()))
            model->setGroup(record_);
        grid->gridModel()->refreshAll();
    }
    refreshing_ = false;
}

} // namespace rps
