#include "forms/common/CItemFormBuilder.h"

#include "forms/common/COrderList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include <algorithm>

namespace rps {

namespace {

QWidget* makeControl(const FormItem& row, const QString& caption, QWidget* parent)
{
    switch (row.kind) {
    case ItemControlKind::Edit:
        return new QLineEdit(parent);
    case ItemControlKind::EditWithSpin:
        return new CSpinEdit(parent);
    case ItemControlKind::DropDown:
        return new QComboBox(parent);
    case ItemControlKind::EditableDropDown: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(true);
        combo->setInsertPolicy(QComboBox::NoInsert);
        combo->setCompleter(nullptr);
        return combo;
    }
    case ItemControlKind::CheckBox:
        return new QCheckBox(caption, parent);
    case ItemControlKind::GroupFrame:
        return new QGroupBox(caption, parent);
    case ItemControlKind::PushButton:
        return new QPushButton(caption, parent);
    case ItemControlKind::OrderList:
        return new COrderList(parent);
    case ItemControlKind::Text:
        return new QLabel(parent);
    }
    return nullptr;
}

} // namespace

QMap<int, BuiltItem> CItemFormBuilder::build(ItemTable table, QWidget* container, const TextLookup& text)
{
    QMap<int, BuiltItem> built;
    auto* columns = new QHBoxLayout(container);
    columns->setSpacing(24);
    QMap<int, QGridLayout*> columnGrids;
    QMap<int, QGridLayout*> groupGrids;
    auto gridFor = [&](const FormItem& row) -> QGridLayout* {
        if (row.group >= 0 && groupGrids.contains(row.group))
            return groupGrids.value(row.group);
        if (!columnGrids.contains(row.column)) {
            auto* holder = new QVBoxLayout;
            auto* grid = new QGridLayout;
            grid->setHorizontalSpacing(10);
            grid->setVerticalSpacing(6);
            grid->setColumnMinimumWidth(1, 150);
            holder->addLayout(grid);
            holder->addStretch(1);
            columns->addLayout(holder);
            columnGrids.insert(row.column, grid);
        }
        return columnGrids.value(row.column);
    };

    // Captions of one column, in frames or not, share one width so that their controls line up.
    QMap<int, int> captionWidths;
    QMap<int, QList<QGridLayout*>> framesOfColumn;
    QMap<int, int> groupTexts;
    for (const FormItem& row : table) {
        QGridLayout* grid = gridFor(row);
        const QString caption = text(row.textNumber);
        BuiltItem item;
        item.row = &row;
        item.control = makeControl(row, caption, container);
        item.control->setObjectName(QStringLiteral("item%1").arg(row.item));
        const int line = grid->rowCount();
        if (row.kind == ItemControlKind::GroupFrame) {
            auto* frame = static_cast<QGroupBox*>(item.control);
            auto* inner = new QGridLayout(frame);
            inner->setColumnMinimumWidth(1, 120);
            groupGrids.insert(row.item, inner);
            groupTexts.insert(row.item, row.textNumber);
            framesOfColumn[row.column].append(inner);
            grid->addWidget(frame, line, 0, 1, 2);
        } else if (row.kind == ItemControlKind::CheckBox || row.kind == ItemControlKind::PushButton) {
            grid->addWidget(item.control, line, row.kind == ItemControlKind::PushButton ? 1 : 0, 1,
                            row.kind == ItemControlKind::PushButton ? 1 : 2);
        } else if ((row.kind == ItemControlKind::Text && row.textNumber == 0) ||
                   (row.group >= 0 && groupTexts.value(row.group) == row.textNumber)) {
            // A text without a caption, or the only control of a frame that says what it is.
            grid->addWidget(item.control, line, 0, 1, 2);
        } else {
            item.label = new QLabel(caption, container);
            item.label->setBuddy(item.control);
            captionWidths[row.column] =
                std::max(captionWidths.value(row.column), item.label->sizeHint().width());
            grid->addWidget(item.label, line, 0);
            grid->addWidget(item.control, line, 1);
        }
        built.insert(row.item, item);
    }
    for (auto it = captionWidths.begin(); it != captionWidths.end(); ++it) {
        // A frame's captions start further right by the frame's border and margin.
        const int inset = container->style()->pixelMetric(QStyle::PM_LayoutLeftMargin) +
                          container->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        if (QGridLayout* grid = columnGrids.value(it.key()))
            grid->setColumnMinimumWidth(0,
                                        it.value() + (framesOfColumn.value(it.key()).isEmpty() ? 0 : inset));
        for (QGridLayout* inner : framesOfColumn.value(it.key()))
            inner->setColumnMinimumWidth(0, it.value());
    }
    columns->addStretch(1); // the columns keep their width; a wide window leaves room on the right
    return built;
}

void CItemFormBuilder::setItemEnabled(const BuiltItem& built, bool enabled)
{
    if (built.control)
        built.control->setEnabled(enabled);
    if (built.label)
        built.label->setEnabled(enabled);
}

} // namespace rps
