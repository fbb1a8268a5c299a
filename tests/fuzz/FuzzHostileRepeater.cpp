// A hostile repeater: every reply the link reads comes from the fuzz input. Whatever it
// answers, the client must not crash, and a read must never touch the working image.
#include "link/RadioLink.h"
#include "link/Transfers.h"
#include "model/ImageChecks.h"
#include "sim/SimMemory.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <cstdlib>
#include <cstring>

namespace {

using namespace rps;

class HostileDevice : public ByteDevice {
public:
    HostileDevice(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool open(const std::string&) override { return open_ = true; }
    bool close() override { return !(open_ = false); }
    bool isOpen() const override { return open_; }
    bool applyLineSettings(const LineSettings&) override { return open_; }
    bool setRts(bool) override { return open_; }
    std::size_t read(uint8_t* destination, std::size_t count, int timeoutMs) override
    {
        const std::size_t n = std::min(count, size_ - position_);
        std::memcpy(destination, data_ + position_, n);
        position_ += n;
        if (n < count)
            now_ += static_cast<uint64_t>(std::max(timeoutMs, 0)); // the rest never came
        return n;
    }
    bool writeAll(const uint8_t*, std::size_t) override { return open_; }
    void discardInput() override {}
    std::optional<bool> takeLineError() override { return false; }
    uint64_t tickMs() override { return now_++; }
    void delayMs(int ms) override { now_ += static_cast<uint64_t>(ms); }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
    uint64_t now_ = 0;
    bool open_ = false;
};

class AgreeableDialogs : public DialogService {
public:
    MessageAnswer showMessage(const MessageRequest&) override { return MessageAnswer::Ok; }
    std::optional<std::string> chooseOpenFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> chooseSaveFile(const FileRequest&) override { return std::nullopt; }
    std::optional<std::string> askPassword(const std::string&, const std::string&, int) override
    {
        return std::string("PASS1");
    }
};

const ImageAreas& defaultAreas()
{
    static const ImageAreas areas = sim::defaultMemory(0x0400).toAreas();
    return areas;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    const LanguageTable texts;
    AgreeableDialogs dialogs;
    {
        HostileDevice device(data, size);
        RadioLink link(device);
        link.setPort(1, "/dev/hostile");
        TransferContext context{link, dialogs, texts, nullptr, nullptr, InstallationId{}, nullptr};
        ConfigImage image;
        image.working() = defaultAreas();
        const ImageAreas before = image.working();
        runReadTransfer(context, image);
        if (!(image.working() == before))
            std::abort();
    }
    {
        HostileDevice device(data, size);
        RadioLink link(device);
        link.setPort(1, "/dev/hostile");
        TransferContext context{link, dialogs, texts, nullptr, nullptr, InstallationId{}, nullptr};
        ConfigImage image;
        image.working() = defaultAreas();
        // A write changes the image by its version stamp and checksum at most, whatever came back.
        ConfigImage stamped;
        stamped.working() = defaultAreas();
        stampVersion(stamped.main(), InstallationId{});
        computeChecksum(stamped.main());
        runWriteTransfer(context, image, WriteOptions{true});
        if (!(image.working() == defaultAreas()) && !(image.working() == stamped.working()))
            std::abort();
    }
    {
        // The service frames with their own reply shapes.
        HostileDevice device(data, size);
        RadioLink link(device);
        link.setPort(1, "/dev/hostile");
        link.open();
        link.enterTuningMode();
        std::array<uint8_t, 8> eight{};
        std::array<uint8_t, 2> two{};
        std::array<uint8_t, 5> five{};
        std::array<uint8_t, 16> status{};
        std::vector<uint8_t> dump(545);
        uint8_t value = 0;
        link.selectTestChannel(1, eight);
        link.queryBer(two);
        link.queryFiveBytes(five);
        link.queryTwoBytes(two, true);
        link.readInformation("URS", status);
        link.readAlignmentDump(dump);
        link.readPointValues(two, true);
        link.queryValue(0xD8, value);
        link.stepValue(0x21, -700, false);
        link.readFirmwareChecksum(two);
        link.leaveModeOnce();
    }
    return 0;
}
