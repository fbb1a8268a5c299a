#pragma once
// Undo and redo of edits to the working image, kept as the bytes each stored change altered.
// After every stored change the main frame compares the working copy with the image as it last
// recorded it; the bytes that differ, with their values before and after, make one step. The
// stamps a save or a write sets (checksum word, version, format and installation identifier)
// are no user edit: a change of nothing else is taken in without a step.
#include "model/ConfigImage.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace rps {

enum class ImagePart : uint8_t { Main, Aux, Local };

// A run of neighbouring bytes of one area that a change altered.
struct ByteRange {
    ImagePart part = ImagePart::Main;
    std::size_t offset = 0;
    std::vector<uint8_t> before;
    std::vector<uint8_t> after;

    bool operator==(const ByteRange&) const = default;
};

class ImageStep {
public:
    // The differing bytes of two images, as runs in area and address order.
    static ImageStep between(const ImageAreas& before, const ImageAreas& after);

    bool empty() const { return ranges_.empty(); }
    const std::vector<ByteRange>& ranges() const { return ranges_; }
    // True when every changed byte is one of the stamps a save or a write sets.
    bool onlyStamps() const;

    // Puts the bytes back as they were before the change, or as it left them.
    void undo(ImageAreas& image) const;
    void redo(ImageAreas& image) const;

private:
    std::vector<ByteRange> ranges_;
};

// Remembers the image as last recorded and hands out the step to the image as it is now.
class ChangeRecorder {
public:
    // The image was replaced (New, Open, read, model change) or a step was undone or redone:
    // what it holds now counts as recorded.
    void follow(const ImageAreas& image) { recorded_ = image; }
    // The change since the last look as one step; nothing when nothing changed or only the
    // stamps did (those are taken in as recorded).
    std::optional<ImageStep> take(const ImageAreas& now);

private:
    ImageAreas recorded_;
};

} // namespace rps
