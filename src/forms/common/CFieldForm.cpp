#include "forms/common/CFieldForm.h"

#include "forms/common/CCharFilterValidator.h"
#include "forms/common/COrderList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
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
    case Control::EditableDropDown:
        return ItemControlKind::EditableDropDown;
    case Control::CheckBox:
        return ItemControlKind::CheckBox;
    case Control::GroupFrame:
        return ItemControlKind::GroupFrame;
    case Control::PushButton:
    case Control::None:
        return ItemControlKind::PushButton;
    }
    return ItemControlKind::Edit;
}

// A spin row without storage chooses the form's record (the channel number).
bool isRecordSelector(const FieldRow& row)
{
    return row.control == Control::EditWithSpin && !row.storage.hasBytes();
}

} // namespace

CFieldForm::CFieldForm(FieldTable table, SessionFactory open, TextLookup text, char decimalSeparator,
                       QWidget* parent, std::vector<int> pageTexts)
    : QWidget(parent), table_(table), open_(std::move(open))
{
    buildControls(text, pageTexts, decimalSeparator);
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
        if (row.control == Control::None)
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
    const QString shown = QString::fromStdString(engine.shown(row, record_)).trimmed();
    switch (row.control) {
    case Control::Edit:
        static_cast<QLineEdit*>(built.control)->setText(shown);
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
    case Control::GroupFrame:
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
        if (row.control != Control::None)
            showField(session->engine(), row);
    }
    refreshing_ = false;
}

} // namespace rps
