#pragma once
// "Multi Table": the table number over the analog and NXDN entry grids of that table,
// declared in MultiFields.
#include "forms/common/CDeclaredFormView.h"

namespace rps {

class CGridView;

class CMultiView : public CDeclaredFormView {
    Q_OBJECT
public:
    CMultiView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    int table() const { return fieldForm()->record() + 1; }
    CGridView* analogGrid() const;
    CGridView* nxdnGrid() const;

protected:
    void stepRecord(int direction) override;

private:
    void showTable(int index);
};

} // namespace rps
