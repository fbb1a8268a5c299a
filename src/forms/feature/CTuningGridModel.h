#pragma once
// The grid of the five tuning frequency pairs: a point per row, its first and second
// frequency as the two columns.
#include "forms/common/CFieldGridModel.h"

namespace rps {

class CTuningGridModel : public CFieldGridModel {
    Q_OBJECT
public:
    CTuningGridModel(SessionFactory open, fields::TextLookup texts, char decimalSeparator,
                     QObject* parent = nullptr);

    QString fixedHeaderText() const override;
    QString fixedText(int row) const override;
    int fixedColumnWidth() const override { return 90; }
    // A point without its first frequency is entered from the first column.
    int editColumnFor(int row, int column) const override;
    // The tuning table has no shortcut menu; the Apps key does nothing here.
    bool offersShortcutMenu() const override { return false; }
};

} // namespace rps
