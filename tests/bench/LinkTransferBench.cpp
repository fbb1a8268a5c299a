// Full read and full write against rps360t-sim --pace at 19,200 baud: the time a transfer
// takes against the wire time of the bytes it exchanged (plus the pauses the protocol
// demands). The bar is a ratio of at most 1.03. A write with its read-back is set against the
// wire time of one plain write: the bar is 2.02 (the read-back adds no round trip a read does
// not have).
#include "e2e/SimProcess.h"

#include "link/Transfers.h"
#include "link/qt/QtSerialDevice.h"
#include "sim/SimMemory.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

using namespace rps;

// Counts the wire time of every byte at the speed the line had when it crossed.
class WireCountingDevice : public QtSerialDevice {
public:
    bool applyLineSettings(const LineSettings& settings) override
    {
        baud_ = settings.baud;
        return QtSerialDevice::applyLineSettings(settings);
    }
    std::size_t read(uint8_t* destination, std::size_t count, int timeoutMs) override
    {
        const std::size_t got = QtSerialDevice::read(destination, count, timeoutMs);
        wireUs += static_cast<double>(got) * 11e6 / baud_;
        bytes += got;
        if (got < count)
            ++timeouts; // a clean run has none: a wait that runs out is not wire time
        return got;
    }
    bool writeAll(const uint8_t* source, std::size_t count) override
    {
        wireUs += static_cast<double>(count) * 11e6 / baud_;
        bytes += count;
        return QtSerialDevice::writeAll(source, count);
    }
    void delayMs(int ms) override
    {
        wireUs += ms * 1000.0;
        QtSerialDevice::delayMs(ms);
    }

    double wireUs = 0;
    std::size_t bytes = 0;
    int timeouts = 0;

private:
    uint32_t baud_ = 9600;
};

class NoQuestions : public DialogService {
public:
    MessageAnswer showMessage(const MessageRequest&) override
    {
        ++messages;
        return MessageAnswer::Cancel;
    }
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> askPassword(const std::string&, const std::string&, int) override
    {
        return std::nullopt;
    }
    int messages = 0;
};

// A programmed repeater: the defaults with the channel area and one user table in use, so a
// good part of the blocks travel in full.
ImageAreas benchImage()
{
    ImageAreas areas = sim::defaultMemory(0x0400).toAreas();
    uint32_t seed = 12345;
    for (std::size_t i = 0x1000; i < 0x5000; ++i) {
        seed = seed * 1103515245u + 12345u;
        areas.main[i] = static_cast<uint8_t>(seed >> 16);
    }
    for (std::size_t i = 0x8000; i < 0x8FA0; ++i)
        areas.main[i] = static_cast<uint8_t>(i * 13);
    return areas;
}

std::string writeRawImage(const std::filesystem::path& folder, const ImageAreas& areas)
{
    const std::string path = (folder / "bench.bin").string();
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(areas.main.data()),
              static_cast<std::streamsize>(areas.main.size()));
    out.write(reinterpret_cast<const char*>(areas.aux.data()),
              static_cast<std::streamsize>(areas.aux.size()));
    out.write(reinterpret_cast<const char*>(areas.local.data()),
              static_cast<std::streamsize>(areas.local.size()));
    return path;
}

enum class Pass { Read, Write, VerifiedWrite };

struct Outcome {
    bool ok = false;
    double measured = 0; // seconds
    double wire = 0;     // seconds
    std::size_t bytes = 0;
    int timeouts = 0;
};

Outcome runOnce(Pass pass, const std::string& link, const LanguageTable& texts, const ImageAreas& areas)
{
    WireCountingDevice device;
    RadioLink radio(device);
    radio.setPort(1, link);
    NoQuestions dialogs;
    TransferContext context{radio, dialogs, texts, nullptr, nullptr, InstallationId{}, nullptr};
    ConfigImage config;
    config.working() = areas;
    WriteOptions options;
    options.verify = pass == Pass::VerifiedWrite;
    const auto start = std::chrono::steady_clock::now();
    const int result =
        pass == Pass::Read ? runReadTransfer(context, config) : runWriteTransfer(context, config, options);
    Outcome outcome;
    outcome.measured = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    outcome.ok = result == 0 && dialogs.messages == 0;
    outcome.wire = device.wireUs / 1e6;
    outcome.bytes = device.bytes;
    outcome.timeouts = device.timeouts;
    return outcome;
}

void runTransfer(benchmark::State& state, Pass pass)
{
    static int argc = 1;
    static char name[] = "bench_link_transfers";
    static char* argv[] = {name, nullptr};
    static QCoreApplication application(argc, argv);

    const std::filesystem::path folder = std::filesystem::temp_directory_path() / "rps360t-bench";
    std::filesystem::create_directories(folder);
    const ImageAreas areas = benchImage();
    const std::string image = writeRawImage(folder, areas);
    const std::string link = (folder / "sim.tty").string();
    test::SimProcess sim(RPS_SIM_PROGRAM, {"--link", link, "--pace", "--image", image});
    if (!sim.ready()) {
        state.SkipWithError("rps360t-sim did not start");
        return;
    }
    const LanguageTable texts;
    for (auto _ : state) {
        Outcome plain;
        if (pass == Pass::VerifiedWrite && !(plain = runOnce(Pass::Write, link, texts, areas)).ok) {
            state.SkipWithError("the plain write failed");
            return;
        }
        const Outcome run = runOnce(pass, link, texts, areas);
        if (!run.ok) {
            state.SkipWithError("the transfer failed");
            return;
        }
        const double bar = pass == Pass::VerifiedWrite ? plain.wire : run.wire;
        const char* title = pass == Pass::Read    ? "full read"
                            : pass == Pass::Write ? "full write"
                                                  : "write+verify";
        state.counters["measured_s"] = run.measured;
        state.counters["wire_s"] = run.wire;
        state.counters["ratio"] = run.measured / bar;
        state.counters["bytes"] = static_cast<double>(run.bytes);
        state.counters["timeouts"] = run.timeouts;
        std::printf("%s: measured %.3f s, wire %.3f s (%zu bytes, %d time-outs), ratio %.4f%s\n", title,
                    run.measured, run.wire, run.bytes, run.timeouts, run.measured / bar,
                    pass == Pass::VerifiedWrite ? " of one plain write's wire time" : "");
    }
}

void fullRead(benchmark::State& state)
{
    runTransfer(state, Pass::Read);
}

void fullWrite(benchmark::State& state)
{
    runTransfer(state, Pass::Write);
}

void fullWriteVerified(benchmark::State& state)
{
    runTransfer(state, Pass::VerifiedWrite);
}

BENCHMARK(fullRead)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(fullWrite)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(fullWriteVerified)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
