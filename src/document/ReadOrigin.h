#pragma once
// This run's read the working image came from: set when a read from the repeater replaces the
// working image, cleared when New, Open or a model change replaces it. Edits and saves leave it
// alone. It keeps the unit the read met (the working image's backups are filed under it) and,
// when the image was accepted, what the repeater held when it was read (the bytes read, before
// any repair), the image a write is compared against ("what will change").
#include "model/ConfigImage.h"

#include <memory>
#include <string>
#include <utility>

namespace rps {

class ReadOrigin {
public:
    // A read replaced the working image; accepted is the image read when the checks took it.
    void set(std::string unit, const ImageAreas* accepted)
    {
        unit_ = std::move(unit);
        read_ = accepted != nullptr ? std::make_unique<ImageAreas>(*accepted) : nullptr;
    }
    void clear()
    {
        unit_.clear();
        read_.reset();
    }
    // The image read, or nullptr when the working image did not come from an accepted read.
    const ImageAreas* image() const { return read_.get(); }
    // The unit the read met; empty when the working image did not come from a read of this run.
    const std::string& unit() const { return unit_; }

private:
    std::string unit_;
    std::unique_ptr<ImageAreas> read_;
};

} // namespace rps
