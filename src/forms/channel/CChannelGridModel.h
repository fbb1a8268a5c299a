#pragma once
// The channel information grid's model: one row per channel, the nine columns of the
// channel grid, whole-channel copy/paste/delete.
#include "forms/common/CGridModel.h"
#include "forms/common/FormContext.h"

namespace rps {

class CChannelGridModel : public CGridModel {
    Q_OBJECT
public:
    CChannelGridModel(FormContext& context, QObject* parent = nullptr) : CGridModel(parent), context_(context)
    {
    }

    int gridRows() const override;
    int gridColumns() const override;
    QString fixedHeaderText() const override;
    QString headerText(int column) const override;
    QString cellText(int row, int column) const override;
    bool cellEnabled(int row, int column) const override;
    CellEditor cellEditor(int row, int column) const override;
    void commitCell(int row, int column, const QString& text) override;
    Qt::Alignment columnAlignment(int column) const override;
    int columnWidth(int column) const override;
    int fixedColumnWidth() const override;
    int editColumnFor(int row, int column) const override;
    QModelIndex cellAfterCommit(int row, int column) const override;
    bool hasRowCommands() const override { return true; }
    void rowCommand(GridRowCommand command, int firstRow, int lastRow) override;

signals:
    // Something was stored: the form refreshes itself and the forms that depend on channels.
    void channelsChanged();

private:
    FormContext& context_;
};

} // namespace rps
