#include "forms/signalling/MessageFields.h"

#include "forms/signalling/MainAreaSession.h"
#include "model/ImageMap.h"

namespace rps::signalling {

using namespace fields;
using namespace message;

namespace {

constexpr int kLineLength = static_cast<int>(kMessageLineSize);

constexpr FieldRow line(int item, std::string_view key, int caption, std::size_t offset, Area area)
{
    return edit(item, key, caption,
                text(offset, kLineLength).in(area).padded(0x00).codec(TextCodec::Printable),
                {CharFilterKind::Printable, kLineLength});
}

} // namespace

const std::array<FieldRow, 2> kMessageFields{{
    line(kItemLine1, "line-1", numberCaption(1), kEmbeddedMessageOffset, Area::Main),
    line(kItemLine2, "line-2", numberCaption(2), kEmbeddedMessageOffset + kMessageLineSize, Area::Main),
}};

const std::array<FieldRow, 2> kProtectedMessageFields{{
    line(kItemLine1, "line-1", numberCaption(1), kProtectedMessageAux, Area::Aux),
    line(kItemLine2, "line-2", numberCaption(2), kProtectedMessageAux + kMessageLineSize, Area::Aux),
}};

std::unique_ptr<FieldFormSession> openMessageForm(ConfigImage& image, const FieldEnv& env)
{
    return openMainAreaForm(kMessageFields, image, env);
}

std::unique_ptr<FieldFormSession> openProtectedMessageForm(ConfigImage& image, const FieldEnv& env)
{
    return openMainAreaForm(kProtectedMessageFields, image, env);
}

} // namespace rps::signalling
