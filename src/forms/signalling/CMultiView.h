#pragma once
// "Multi Table": the table number over the analog and NXDN entry grids of that table,
// declared in MultiFields.
#include "forms/common/CFieldFormView.h"

namespace rps {

class CGridView;

class CMultiView : public CFieldFormView {
    Q_OBJECT
public:
    CMultiView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    QString formTitle() const override;

    int table() const { return fieldForm()->record() + 1; }
    CGridView* analogGrid() const;
    CGridView* nxdnGrid() const;

protected:
    void stepRecord(int direction) override;

private:
    void showTable(int index);
};

} // namespace rps
