// The generic grid over declared fields: a valid item model, cells read once per refresh,
// editors and their lists made only when an editor opens, commits through the engine.
#include "forms/common/CFieldGridModel.h"

#include <QAbstractItemModelTester>
#include <gtest/gtest.h>

#include <array>
#include <vector>

using namespace rps;
using namespace rps::fields;

namespace {

constexpr Choice kKinds[] = {{0, 922}, {1, 923}};
const std::array<FieldRow, 3> kRows{{
    spin(1, "level", 0, u8(0), Range{1, 30, 1}),
    list(2, "kind", 0, u8(1), kKinds),
    check(3, "active", 0, u8(2), OnOff{1, 0}),
}};

std::string fakeText(int number)
{
    return "T" + std::to_string(number);
}

// Every other record is disabled, to see the enable state reach the flags.
struct OddRowsOnly : FieldRules {
    bool enabled(const FieldRow&, int record) const override { return record % 2 == 1; }
};

class ListSession : public FieldFormSession {
public:
    ListSession(std::span<uint8_t> area, FieldRules* rules)
        : records_(area, 0, 4, 4, 5),
          engine_(kRows, records_, {area, {}, {}}, FieldEnv{fakeText, {}, '.'}, rules)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    StrideRecords records_;
    FieldEngine engine_;
};

class FieldGridModelTest : public ::testing::Test {
protected:
    FieldGridModelTest()
    {
        area.fill(0);
        for (const FieldRow& row : kRows)
            columns.push_back({&row, 0, 50, CellAlign::Right});
        model = std::make_unique<CFieldGridModel>(
            [this] {
                ++opened;
                return std::make_unique<ListSession>(area, &rules);
            },
            columns, fakeText, '.');
        model->reload();
    }

    std::array<uint8_t, 20> area{};
    OddRowsOnly rules;
    std::vector<FieldColumn> columns;
    std::unique_ptr<CFieldGridModel> model;
    int opened = 0;
};

} // namespace

TEST_F(FieldGridModelTest, PassesTheItemModelTester)
{
    QAbstractItemModelTester tester(model.get(), QAbstractItemModelTester::FailureReportingMode::Fatal);
    EXPECT_EQ(model->rowCount(), 5);
    EXPECT_EQ(model->columnCount(), 3);
    model->refreshAll();
}

TEST_F(FieldGridModelTest, SweepingTextAndFlagsReadsNothingAgain)
{
    opened = 0;
    for (int row = 0; row < model->rowCount(); ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            model->data(index, Qt::DisplayRole);
            EXPECT_EQ(bool(model->flags(index) & Qt::ItemIsEditable), row % 2 == 1) << row << "," << column;
        }
    }
    EXPECT_EQ(opened, 0);
    model->refreshAll();
    EXPECT_EQ(opened, 1); // one look-up of the records per refresh
}

TEST_F(FieldGridModelTest, AnEditorIsMadeWhenItOpensAndACommitGoesThroughTheEngine)
{
    const CellEditor list = model->cellEditor(1, 1);
    EXPECT_EQ(list.kind, CellEditorKind::DropDown);
    EXPECT_EQ(list.choices, (QStringList{"T922", "T923"}));
    const CellEditor check = model->cellEditor(1, 2);
    EXPECT_EQ(check.choices, (QStringList{"T858", "T857"}));

    EXPECT_TRUE(model->setData(model->index(1, 0), "45", Qt::EditRole));
    EXPECT_EQ(area[4], 30); // clamped into the range
    EXPECT_EQ(model->index(1, 0).data().toString(), "30");
    EXPECT_TRUE(model->setData(model->index(3, 1), "T923", Qt::EditRole));
    EXPECT_EQ(area[13], 1);
    EXPECT_TRUE(model->setData(model->index(3, 2), "T857", Qt::EditRole));
    EXPECT_EQ(area[14], 1);
    // A disabled record stores nothing.
    EXPECT_TRUE(model->setData(model->index(2, 0), "7", Qt::EditRole));
    EXPECT_EQ(area[8], 0);
}

TEST_F(FieldGridModelTest, MatrixPlacesFieldsOfOneRecordInItsCells)
{
    // Row 0: level, kind; row 1: active and an empty cell. Every field cell is of record 0.
    CFieldGridModel::CellMatrix cells{{&kRows[0], &kRows[1]}, {&kRows[2], nullptr}};
    CFieldGridModel matrix([this] { return std::make_unique<ListSession>(area, nullptr); }, cells,
                           {{nullptr, 0, 50, CellAlign::Right}, {nullptr, 0, 50, CellAlign::Left}}, fakeText,
                           '.');
    matrix.reload();
    QAbstractItemModelTester tester(&matrix, QAbstractItemModelTester::FailureReportingMode::Fatal);
    area[0] = 7;
    area[1] = 1;
    area[2] = 1;
    matrix.refreshAll();
    ASSERT_EQ(matrix.rowCount(), 2);
    EXPECT_EQ(matrix.cellText(0, 0), "7");
    EXPECT_EQ(matrix.cellText(0, 1), "T923");
    EXPECT_EQ(matrix.cellText(1, 0), QString::fromStdString(fakeText(kCheckOnText)));
    EXPECT_EQ(matrix.cellText(1, 1), "");
    EXPECT_EQ(matrix.cellEditorKind(1, 1), CellEditorKind::None);
    EXPECT_FALSE(matrix.flags(matrix.index(1, 1)).testFlag(Qt::ItemIsEditable));

    // A commit goes to the cell's own field.
    matrix.commitCell(0, 0, "12");
    EXPECT_EQ(area[0], 12);
    matrix.commitCell(1, 1, "5"); // no field: nothing is written
    EXPECT_EQ(area[3], 0);
}
