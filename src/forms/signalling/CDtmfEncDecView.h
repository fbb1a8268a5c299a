#pragma once
// "Encode/Decode Table": the encode codes with the transpond settings and side tone on the
// first page, the decode codes on the second. Ctrl+Tab turns the pages inside the form and
// cycles the windows elsewhere.
#include "forms/common/CDeclaredFormView.h"
#include "forms/common/FormCommands.h"

namespace rps {

class CGridView;

class CDtmfEncDecView : public CDeclaredFormView {
    Q_OBJECT
public:
    CDtmfEncDecView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    CChildFrame* createFrame(const QList<QKeySequence>& frameKeys) override;

    CGridView* encodeGrid() const;
    CGridView* decodeGrid() const;
};

} // namespace rps
