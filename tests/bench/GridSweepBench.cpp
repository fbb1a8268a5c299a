// Grid models swept for the display text and flags of every cell, as a view does when it
// paints: the channel information grid (30 channels) and a 1,000-row list of eight declared
// fields over the generic field grid. Each sweep first reads the cells again from the image
// (a refresh), so the figure is what one refresh and one full paint cost. Bar: 10 ms.
#include "TestPaths.h"
#include "forms/channel/CChannelGridModel.h"
#include "forms/channel/ChannelEditor.h"
#include "forms/common/AppOptions.h"
#include "forms/common/CFieldGridModel.h"
#include "model/ModelBlock.h"
#include "texts/LanguageTable.h"

#include <benchmark/benchmark.h>

#include <array>
#include <vector>

namespace {

using namespace rps;
using namespace rps::fields;

class BenchDialogs : public DialogService {
public:
    MessageAnswer showMessage(const MessageRequest&) override { return MessageAnswer::Ok; }
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> askPassword(const std::string&, const std::string&, int) override
    {
        return std::nullopt;
    }
};

class BenchHost : public FormHost {
public:
    void refreshAllForms() override {}
    void openForm(int) override {}
    void closeForm(int) override {}
    int currentChannel() const override { return 0; }
    void setCurrentChannel(int) override {}
    FrequencyLimits frequencyLimits() const override { return FrequencyLimits::forModelCode(0x0400, false); }
    char decimalSeparator() const override { return '.'; }
    bool formAvailable(int) const override { return true; }
    void showChannelRecord(int, QWidget*) override {}
};

int sweep(CGridModel& model)
{
    int visible = 0;
    const int rows = model.rowCount();
    const int columns = model.columnCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < columns; ++column) {
            const QModelIndex index = model.index(row, column);
            visible += model.data(index, Qt::DisplayRole).toString().size();
            visible += (model.flags(index) & Qt::ItemIsEditable) ? 1 : 0;
        }
    }
    return visible;
}

void channelGridSweep(benchmark::State& state)
{
    ConfigImage image;
    LanguageTable texts;
    texts.loadFile(rps::test::kLanguageFile, "English");
    AppOptions options;
    BenchDialogs dialogs;
    BenchHost host;
    FormContext context{image, texts, options, dialogs, host};
    writeModelBlock(image.main(), ModelBlock::fromModelCode(0x0400));
    {
        ChannelEditor editor(
            image, [&texts](int n) { return texts.text(n); }, host.frequencyLimits());
        for (int channel = 0; channel < kChannelCount; ++channel) {
            editor.setFrequency(channel, false, std::to_string(150 + channel), false);
            editor.setFrequency(channel, true, std::to_string(155 + channel), false);
            editor.setChoice(channel, kItemChannelType, channel % 3);
        }
    }
    CChannelGridModel model(context);
    for (auto _ : state) {
        model.refreshAll();
        benchmark::DoNotOptimize(sweep(model));
    }
    state.counters["cells"] = model.rowCount() * model.columnCount();
}
BENCHMARK(channelGridSweep)->Unit(benchmark::kMillisecond);

// A user list of 1,000 records of 16 bytes with eight fields of every kind.
constexpr Choice kKinds[] = {{0, 922}, {1, 923}, {2, 924}};
const std::array<FieldRow, 8> kListFields{{
    spin(1, "level", 0, u8(0), Range{1, 30, 1}),
    spin(2, "delay", 0, u8(1).times(2), Range{0, 30, 0.5}.offAt(0xFF, 849)),
    spin(3, "number", 0, u16(2), Range{300, 3000, 10}),
    edit(4, "code", 0, bcd(4)),
    list(5, "kind", 0, u8(6), kKinds),
    check(6, "active", 0, u8(7), OnOff{.on = 0, .off = 0xFF, .anyOtherIsOn = true}),
    edit(7, "name", 0, text(8, 6)),
    spin(8, "period", 0, bits16(14, 0x00FF), Range{1, 60, 1}),
}};

class ListSession : public FieldFormSession {
public:
    ListSession(std::span<uint8_t> area, const FieldEnv& env)
        : records_(area, 0, 16, 16, 1000), engine_(kListFields, records_, {area, {}, {}}, env)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    StrideRecords records_;
    FieldEngine engine_;
};

void userListSweep(benchmark::State& state)
{
    std::vector<uint8_t> area(16 * 1000);
    for (std::size_t i = 0; i < area.size(); ++i)
        area[i] = static_cast<uint8_t>(i * 7 % 251);
    LanguageTable texts;
    texts.loadFile(rps::test::kLanguageFile, "English");
    const FieldEnv env{[&texts](int n) { return texts.text(n); }, {}, '.'};
    std::vector<FieldColumn> columns;
    for (const FieldRow& row : kListFields)
        columns.push_back({&row, 0, 60, CellAlign::Right});
    CFieldGridModel model([&] { return std::make_unique<ListSession>(area, env); }, columns, env.texts, '.');
    for (auto _ : state) {
        model.refreshAll();
        benchmark::DoNotOptimize(sweep(model));
    }
    state.counters["cells"] = model.rowCount() * model.columnCount();
}
BENCHMARK(userListSweep)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
