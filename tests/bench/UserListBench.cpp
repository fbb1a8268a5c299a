// The user lists with 1,000 IDs in each list: a refresh and a display-and-flags sweep of both
// grids, a sort by ID, the uniqueness check of one edit in a full list, and one `set` of 1,000
// assignments. Bar: 10 ms each, 1 s for the set.
#include "TestPaths.h"
#include "e2e/CliRun.h"
#include "forms/FieldForms.h"
#include "forms/common/CFieldGridModel.h"
#include "forms/signalling/UserFields.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"
#include "model/TempFolder.h"
#include "texts/LanguageTable.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

using namespace rps;
using namespace rps::fields;
using namespace rps::signalling;

struct FullLists {
    FullLists()
    {
        texts.loadFile(rps::test::kLanguageFile, "English");
        env = FieldEnv{[this](int n) { return texts.text(n); }, {}, '.'};
        writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
        InstallationId none{};
        none.fill(0xFF);
        newImage(image, none);
        const auto session = openUserFields(image, env);
        FieldEngine& engine = session->engine();
        const FieldTable table = engine.table();
        for (int record = 0; record < engine.records().count(); ++record) {
            const FieldRow& id =
                *findRow(table, users::listOf(record) == 0 ? users::kItemId1 : users::kItemId2);
            // Descending IDs, so that the sort has work to do.
            engine.commitText(id, record, std::to_string(60000 - record % 1000 * 7));
        }
    }
    std::unique_ptr<CFieldGridModel> grid(int gridItem)
    {
        std::vector<FieldColumn> columns;
        const GridShape& shape = *findRow(userFields(), gridItem)->grid;
        for (const FieldRow& row : userFields()) {
            if (row.place.group == gridItem)
                columns.push_back({&row, 0, 100, CellAlign::Right});
        }
        auto model = std::make_unique<CFieldGridModel>([this] { return openUserFields(image, env); }, columns,
                                                       env.texts, '.');
        model->setRecordGrid(shape);
        model->reload();
        return model;
    }

    ConfigImage image;
    LanguageTable texts;
    FieldEnv env;
};

int sweep(CGridModel& model)
{
    int visible = 0;
    for (int row = 0; row < model.rowCount(); ++row) {
        visible += model.headerData(row, Qt::Vertical, Qt::DisplayRole).toString().size();
        for (int column = 0; column < model.columnCount(); ++column) {
            const QModelIndex index = model.index(row, column);
            visible += model.data(index, Qt::DisplayRole).toString().size();
            visible += (model.flags(index) & Qt::ItemIsEditable) ? 1 : 0;
        }
    }
    return visible;
}

void userListsRefreshAndSweep(benchmark::State& state)
{
    FullLists lists;
    const auto individual = lists.grid(users::kItemGrid1);
    const auto group = lists.grid(users::kItemGrid2);
    for (auto _ : state) {
        individual->refreshAll();
        group->refreshAll();
        benchmark::DoNotOptimize(sweep(*individual) + sweep(*group));
    }
}
BENCHMARK(userListsRefreshAndSweep)->Unit(benchmark::kMillisecond);

void userListSortById(benchmark::State& state)
{
    FullLists lists;
    const auto individual = lists.grid(users::kItemGrid1);
    for (auto _ : state) {
        individual->headerClicked(0);
        individual->headerClicked(-1);
    }
}
BENCHMARK(userListSortById)->Unit(benchmark::kMillisecond);

void userIdUniquenessInAFullList(benchmark::State& state)
{
    FullLists lists;
    const auto session = openUserFields(lists.image, lists.env);
    FieldEngine& engine = session->engine();
    const FieldRow& id = *findRow(engine.table(), users::kItemId1);
    for (auto _ : state) {
        // Its own ID again: the whole list is searched, nothing else is held.
        benchmark::DoNotOptimize(engine.commitText(id, 999, engine.shown(id, 999)));
    }
}
BENCHMARK(userIdUniquenessInAFullList)->Unit(benchmark::kMillisecond);

void userListSetOfAThousand(benchmark::State& state)
{
    rps::test::TempFolder folder;
    const std::string file = folder.file("users.dat");
    rps::test::runCli("new --model-code 0x0400 -o " + file, folder);
    std::string arguments = "set " + file;
    for (int n = 1; n <= 1000; ++n)
        arguments += " user-list." + std::to_string(n % 2 + 1) + "." + std::to_string((n + 1) / 2) +
                     ".id=" + std::to_string(n);
    for (auto _ : state)
        benchmark::DoNotOptimize(rps::test::runCli(arguments, folder).exitCode);
}
BENCHMARK(userListSetOfAThousand)->Unit(benchmark::kMillisecond)->Iterations(3);

} // namespace

BENCHMARK_MAIN();
