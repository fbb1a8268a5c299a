#pragma once
// "Function Port": the mode of each port, the inputs with the functions they run and their
// active level, and the outputs with the signal and level each drives. The input and output
// grids list the fixed rows, then the ports whose mode makes them inputs or outputs. The ports
// and inputs share the first page of its tab control, the outputs have the second.
#include "forms/common/CFormView.h"
#include "forms/common/FormCommands.h"

class QTabWidget;

namespace rps {

class CFieldForm;
class CFieldGridModel;
class CGridView;

class CFuncPortView : public CFormView {
    Q_OBJECT
public:
    static constexpr int kCommand = kFunctionPortCommand;

    CFuncPortView(FormContext& context, QWidget* parent = nullptr);
    ~CFuncPortView() override;

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;

    CGridView* modeGrid() const { return grids_[0]; }
    CGridView* inputGrid() const { return grids_[1]; }
    CGridView* outputGrid() const { return grids_[2]; }
    CFieldForm* levelForm() const { return level_; }
    QTabWidget* pages() const { return tabs_; }

private:
    CGridView* addGrid(CFieldGridModel* model, int visibleRows, int mostRows);

    CFieldGridModel* models_[3] = {};
    CGridView* grids_[3] = {};
    CFieldForm* level_ = nullptr;
    QTabWidget* tabs_ = nullptr;
};

} // namespace rps
