// Hostile data files: loading must never crash, read out of bounds or touch the working copy;
// whatever it stages must survive the acceptance check and the preview.
#include "model/DataFile.h"
#include "model/ImageChecks.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

const std::string& inputPath()
{
    static const std::string path = "/tmp/fuzz_load_image." + std::to_string(::getpid()) + ".dat";
    return path;
}

bool writeInput(const uint8_t* data, std::size_t size)
{
    std::FILE* file = std::fopen(inputPath().c_str(), "wb");
    if (!file)
        return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    if (!writeInput(data, size))
        return 0;
    auto image = std::make_unique<rps::ConfigImage>();
    image->main()[0x1000] = 0x5A; // an edit the load must not disturb
    image->markClean();
    const rps::ImageAreas before = image->working();

    const rps::LoadResult result = rps::loadImage(inputPath(), *image);
    if (!(image->working() == before))
        std::abort();
    if (result.code == rps::kLoadOtherProgram && result.otherProgram.size() > 10)
        std::abort();
    if (result.code == rps::kLoadOk) {
        image->restoreSnapshot();
        rps::checkLoadedImage(*image, rps::ImageSource::File, rps::InstallationId{});
    }
    rps::readPreview(inputPath());
    std::remove(inputPath().c_str());
    return 0;
}
