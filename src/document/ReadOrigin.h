#pragma once
// The image of the read the working image came from, in this run: set when a read from the
// repeater replaces the working image, cleared when New, Open or a model change replaces it.
// Edits and saves leave it alone: it stays what the repeater held when it was read (the bytes
// read, before any repair), the image a write is compared against ("what will change").
#include "model/ConfigImage.h"

#include <memory>

namespace rps {

class ReadOrigin {
public:
    void set(const ImageAreas& read) { read_ = std::make_unique<ImageAreas>(read); }
    void clear() { read_.reset(); }
    // The image read, or nullptr when the working image did not come from a read of this run.
    const ImageAreas* image() const { return read_.get(); }

private:
    std::unique_ptr<ImageAreas> read_;
};

} // namespace rps
