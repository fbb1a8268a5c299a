#include "document/ImageSteps.h"

#include "model/ImageMap.h"

#include <algorithm>
#include <span>

namespace rps {

namespace {

struct Span {
    std::size_t begin;
    std::size_t end;
};

// The bytes of the main area that a save or a write stamps.
constexpr Span kStamps[] = {
    {kDataVersionOffset, kDataFormatOffset + 3},
    {kChecksumOffset, kChecksumOffset + 2},
    {kInstallationIdOffset, kInstallationIdOffset + kInstallationIdSize},
};

bool isStamp(std::size_t offset)
{
    return std::any_of(std::begin(kStamps), std::end(kStamps),
                       [offset](const Span& stamp) { return offset >= stamp.begin && offset < stamp.end; });
}

std::span<uint8_t> partOf(ImageAreas& image, ImagePart part)
{
    switch (part) {
    case ImagePart::Aux:
        return image.aux;
    case ImagePart::Local:
        return image.local;
    case ImagePart::Main:
        break;
    }
    return image.main;
}

void addRuns(std::vector<ByteRange>& ranges, ImagePart part, std::span<const uint8_t> before,
             std::span<const uint8_t> after)
{
    std::size_t i = 0;
    while (i < before.size()) {
        if (before[i] == after[i]) {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < before.size() && before[end] != after[end])
            ++end;
        ranges.push_back(ByteRange{part,
                                   i,
                                   {before.begin() + static_cast<std::ptrdiff_t>(i),
                                    before.begin() + static_cast<std::ptrdiff_t>(end)},
                                   {after.begin() + static_cast<std::ptrdiff_t>(i),
                                    after.begin() + static_cast<std::ptrdiff_t>(end)}});
        i = end;
    }
}

void put(ImageAreas& image, const ByteRange& range, const std::vector<uint8_t>& bytes)
{
    std::span<uint8_t> area = partOf(image, range.part);
    if (range.offset + bytes.size() > area.size())
        return; // a step of another image's shape puts nothing out of place
    std::copy(bytes.begin(), bytes.end(), area.begin() + static_cast<std::ptrdiff_t>(range.offset));
}

} // namespace

ImageStep ImageStep::between(const ImageAreas& before, const ImageAreas& after)
{
    ImageStep step;
    addRuns(step.ranges_, ImagePart::Main, before.main, after.main);
    addRuns(step.ranges_, ImagePart::Aux, before.aux, after.aux);
    addRuns(step.ranges_, ImagePart::Local, before.local, after.local);
    return step;
}

bool ImageStep::onlyStamps() const
{
    return std::all_of(ranges_.begin(), ranges_.end(), [](const ByteRange& range) {
        if (range.part != ImagePart::Main)
            return false;
        for (std::size_t i = 0; i < range.before.size(); ++i) {
            if (!isStamp(range.offset + i))
                return false;
        }
        return true;
    });
}

void ImageStep::undo(ImageAreas& image) const
{
    for (const ByteRange& range : ranges_)
        put(image, range, range.before);
}

void ImageStep::redo(ImageAreas& image) const
{
    for (const ByteRange& range : ranges_)
        put(image, range, range.after);
}

std::optional<ImageStep> ChangeRecorder::take(const ImageAreas& now)
{
    if (now == recorded_)
        return std::nullopt;
    ImageStep step = ImageStep::between(recorded_, now);
    recorded_ = now;
    if (step.onlyStamps())
        return std::nullopt;
    return step;
}

} // namespace rps
