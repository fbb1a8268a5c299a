#include "service/DemoRepeater.h"

#include "model/ImageMap.h"

namespace rps {

namespace {

sim::SimMemory memoryOf(const ConfigImage& image)
{
    const auto main = image.main();
    const auto code = static_cast<uint16_t>(main[kModelBlockOffset + 10] | main[kModelBlockOffset + 11] << 8);
    sim::SimMemory memory = sim::defaultMemory(code);
    memory.loadAreas(image.working());
    return memory;
}

} // namespace

DemoRepeater::DemoRepeater(const ConfigImage& image)
    : repeater_(sim::SimConfig{}, memoryOf(image)), device_(repeater_), link_(device_)
{
    link_.setPort(1, "demo");
    link_.options().encryptMode = false;
}

} // namespace rps
