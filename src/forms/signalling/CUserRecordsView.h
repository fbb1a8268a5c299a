#pragma once
// "User List": the individual and group lists on two pages, each with its counter; a header
// click sorts a list by ID, the number header restores it. Ctrl+Tab turns the pages.
#include "forms/common/CDeclaredFormView.h"
#include "forms/common/FormCommands.h"

namespace rps {

class CGridView;

class CUserRecordsView : public CDeclaredFormView {
    Q_OBJECT
public:
    CUserRecordsView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    CChildFrame* createFrame(const QList<QKeySequence>& frameKeys) override;

    // The grid of list 1 (individual) or 2 (group).
    CGridView* listGrid(int list) const;
};

} // namespace rps
