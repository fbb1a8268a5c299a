#pragma once
// "Remote Control": the PF keys with their transponder on the first page, the AUX inputs, the
// AUX outputs and their transponder on the second. The grids list the rows the key and port
// assignments give; the AUX grids are rebuilt on every refresh, as the port modes may change.
// Ctrl+Tab turns the pages inside the form.
#include "forms/common/CFormView.h"
#include "forms/common/FormCommands.h"

class QTabWidget;

namespace rps {

class CFieldForm;
class CFieldGridModel;
class CGridView;

class CRemoteView : public CFormView {
    Q_OBJECT
public:
    static constexpr int kCommand = kRemoteControlCommand;

    CRemoteView(FormContext& context, QWidget* parent = nullptr);
    ~CRemoteView() override;

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;
    CChildFrame* createFrame(const QList<QKeySequence>& frameKeys) override;

    CGridView* keyGrid() const { return grids_[0]; }
    CGridView* inputGrid() const { return grids_[1]; }
    CGridView* outputGrid() const { return grids_[2]; }
    // The PF-key transponder, the AUX transponder, the two check boxes of both pages.
    CFieldForm* wideForm(int index) const { return wide_[index]; }
    QTabWidget* pages() const { return tabs_; }

private:
    CFieldGridModel* models_[3] = {};
    CGridView* grids_[3] = {};
    CFieldForm* wide_[3] = {};
    QTabWidget* tabs_ = nullptr;
};

} // namespace rps
