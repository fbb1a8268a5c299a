#pragma once
// "Advanced Settings": the two low-level parameters on the first page and the tuning
// frequency pairs on the second, shown in its own child frame (CSpecialFrame).
#include "forms/common/CFieldFormView.h"
#include "forms/common/FormCommands.h"

class QTabWidget;

namespace rps {

class CGridView;
class CTuningGridModel;

class CSpecialView : public CFieldFormView {
    Q_OBJECT
public:
    CSpecialView(FormContext& context, QWidget* parent = nullptr);
    ~CSpecialView() override;

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;
    CChildFrame* createFrame(const QList<QKeySequence>& frameKeys) override;

    QTabWidget* pages() const { return pages_; }
    CGridView* tuningGrid() const { return grid_; }

private:
    QTabWidget* pages_ = nullptr;
    CGridView* grid_ = nullptr;
    CTuningGridModel* model_ = nullptr;
};

} // namespace rps
