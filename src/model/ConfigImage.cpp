#include "model/ConfigImage.h"

#include <algorithm>

namespace rps {

void ImageAreas::fill(uint8_t value)
{
    main.fill(value);
    aux.fill(value);
    local.fill(value);
}

ConfigImage::ConfigImage()
{
    working_.fill(0xFF);
    snapshot_.fill(0xFF);
    baseline_.fill(0xFF);
}

void ConfigImage::markClean()
{
    baseline_ = working_;
}

void ConfigImage::takeSnapshot()
{
    snapshot_ = working_;
}

void ConfigImage::restoreSnapshot()
{
    working_ = snapshot_;
}

void ConfigImage::clear()
{
    working_.fill(0xFF);
    takeSnapshot();
}

bool ConfigImage::isModified() const
{
    return working_.main != baseline_.main || working_.aux != baseline_.aux;
}

} // namespace rps
