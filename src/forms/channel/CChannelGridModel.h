#pragma once
// The channel information grid's model: the generic field grid over the channel records
// with the nine columns of the channel grid, its redirected editors and whole-channel
// copy/paste/delete.
#include "forms/common/CFieldGridModel.h"
#include "forms/common/FormContext.h"

namespace rps {

class CChannelGridModel : public CFieldGridModel {
    Q_OBJECT
public:
    explicit CChannelGridModel(FormContext& context, QObject* parent = nullptr);

    QString fixedHeaderText() const override;
    int fixedColumnWidth() const override;
    int editColumnFor(int row, int column) const override;
    QModelIndex cellAfterCommit(int row, int column) const override;
    bool hasRowCommands() const override { return true; }
    void rowCommand(GridRowCommand command, int firstRow, int lastRow) override;

signals:
    // Something was stored: the form refreshes itself and the forms that depend on channels.
    void channelsChanged();

protected:
    std::string displayText(fields::FieldEngine& engine, int record, int column) const override;

private:
    FormContext& context_;
};

} // namespace rps
