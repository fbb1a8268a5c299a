// Opening and saving a data file, as the File menu does it.
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/ModelBlock.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

namespace {

struct BenchFolder {
    BenchFolder()
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "rps-bench-XXXXXX").string();
        path = ::mkdtemp(pattern.data());
    }
    ~BenchFolder() { std::filesystem::remove_all(path); }
    std::filesystem::path path;
};

std::unique_ptr<rps::ConfigImage> defaultImage()
{
    auto image = std::make_unique<rps::ConfigImage>();
    rps::writeModelBlock(image->main(), rps::ModelBlock::fromModelCode(0x0700));
    rps::newImage(*image, rps::InstallationId{});
    return image;
}

void saveDataFile(benchmark::State& state)
{
    BenchFolder folder;
    const std::string path = (folder.path / "bench.dat").string();
    auto image = defaultImage();
    rps::SaveOptions options;
    for (auto _ : state) {
        const rps::SaveResult result = rps::saveImage(path, *image, options);
        if (result.code != rps::kSaveOk)
            state.SkipWithError("save failed");
    }
}

void openDataFile(benchmark::State& state)
{
    BenchFolder folder;
    const std::string path = (folder.path / "bench.dat").string();
    auto image = defaultImage();
    if (rps::saveImage(path, *image, rps::SaveOptions{}).code != rps::kSaveOk) {
        state.SkipWithError("save failed");
        return;
    }
    for (auto _ : state) {
        const rps::LoadResult result = rps::loadImage(path, *image);
        if (result.code != rps::kLoadOk)
            state.SkipWithError("open failed");
        image->restoreSnapshot();
        benchmark::DoNotOptimize(image->main()[0x0400]);
    }
}

} // namespace

BENCHMARK(saveDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK(openDataFile)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
