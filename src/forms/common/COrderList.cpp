#include "forms/common/COrderList.h"

#include "forms/common/CSpinEdit.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>

namespace rps {

COrderList::COrderList(QWidget* parent)
    : QWidget(parent), ranks_(new QListWidget(this)), list_(new QListWidget(this)), spin_(new CSpinEdit(this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    // The places "1", "2", "3" beside the entries, highest first.
    ranks_->setFocusPolicy(Qt::NoFocus);
    ranks_->setSelectionMode(QAbstractItemView::NoSelection);
    ranks_->setFrameShape(QFrame::NoFrame);
    ranks_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ranks_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ranks_->setAttribute(Qt::WA_TranslucentBackground);
    ranks_->viewport()->setAutoFillBackground(false);
    ranks_->setFixedWidth(ranks_->fontMetrics().horizontalAdvance(QStringLiteral("00")));
    layout->addWidget(ranks_, 0, Qt::AlignVCenter);
    layout->addWidget(list_, 1);
    layout->addWidget(spin_, 0, Qt::AlignVCenter);
    spin_->setEngineDriven(true);
    spin_->setButtonSymbols(QAbstractSpinBox::UpDownArrows);
    spin_->setFixedWidth(spin_->sizeHint().height());
    if (auto* line = spin_->findChild<QLineEdit*>())
        line->setReadOnly(true);
    setFocusProxy(list_);
    // The up button lists the entry higher, i.e. nearer the start.
    connect(spin_, &CSpinEdit::stepRequested, this, [this](int direction) { step(-direction); });
}

void COrderList::setEntries(const QStringList& entries)
{
    const int place = list_->currentRow();
    list_->clear();
    list_->addItems(entries);
    list_->setFixedHeight(list_->sizeHintForRow(0) * std::max<int>(1, static_cast<int>(entries.size())) +
                          2 * list_->frameWidth());
    if (ranks_->count() != entries.size()) {
        ranks_->clear();
        for (qsizetype rank = 1; rank <= entries.size(); ++rank)
            ranks_->addItem(QString::number(rank));
        // Each place stands level with its entry.
        ranks_->setFixedHeight(list_->height() - 2 * list_->frameWidth());
    }
    if (place >= 0 && place < list_->count())
        list_->setCurrentRow(place);
}

QStringList COrderList::entries() const
{
    QStringList result;
    for (int i = 0; i < list_->count(); ++i)
        result << list_->item(i)->text();
    return result;
}

int COrderList::selected() const
{
    return list_->currentRow();
}

void COrderList::select(int place)
{
    list_->setCurrentRow(place);
}

void COrderList::step(int direction)
{
    if (list_->count() == 0)
        return;
    if (list_->currentRow() < 0)
        list_->setCurrentRow(0);
    const int from = list_->currentRow();
    const int to = from + (direction < 0 ? -1 : 1);
    if (to < 0 || to >= list_->count())
        return;
    // The selection follows the entry to its new place.
    list_->setCurrentRow(to);
    emit moveRequested(from, to);
}

} // namespace rps
