#include "forms/feature/CTuningGridModel.h"

#include "forms/feature/SpecialFields.h"

namespace rps {

namespace {
constexpr int kPointHeaderText = 1362;
constexpr int kFirstPointText = 693;
} // namespace

CTuningGridModel::CTuningGridModel(SessionFactory open, fields::TextLookup texts, char decimalSeparator,
                                   QObject* parent)
    : CFieldGridModel(std::move(open),
                      {{&kTuningColumns[0], 847, 100, CellAlign::Right},
                       {&kTuningColumns[1], 848, 100, CellAlign::Right}},
                      std::move(texts), decimalSeparator, parent)
{
    reload();
}

QString CTuningGridModel::fixedHeaderText() const
{
    return languageText(kPointHeaderText);
}

QString CTuningGridModel::fixedText(int row) const
{
    return languageText(kFirstPointText + row);
}

int CTuningGridModel::editColumnFor(int row, int column) const
{
    if (column == 1 && cellText(row, 0).isEmpty())
        return 0;
    return CFieldGridModel::editColumnFor(row, column);
}

} // namespace rps
