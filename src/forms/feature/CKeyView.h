#pragma once
// "Key Assignment": the six front-panel keys with their functions in a grid, beside a picture
// of the front panel on which the key of the current row is marked; a click on a key moves
// the grid to its row.
#include "forms/common/CFormView.h"
#include "forms/common/FormCommands.h"

namespace rps {

class CFieldGridModel;
class CFrontPanelWidget;
class CGridView;

class CKeyView : public CFormView {
    Q_OBJECT
public:
    static constexpr int kCommand = kKeyAssignmentCommand;

    CKeyView(FormContext& context, QWidget* parent = nullptr);
    ~CKeyView() override;

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;

    CGridView* grid() const { return grid_; }
    CFrontPanelWidget* panel() const { return panel_; }

private:
    CFieldGridModel* model_ = nullptr;
    CGridView* grid_ = nullptr;
    CFrontPanelWidget* panel_ = nullptr;
};

} // namespace rps
