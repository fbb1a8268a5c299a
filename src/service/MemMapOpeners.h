#pragma once
// How the rest of the program opens the memory map viewers: the main frame's Program menu
// (the three areas), the channel forms (one channel's record) and the debugging library.
// Each call shows a modal viewer and tells every open form to re-read the image when a byte
// was changed.
#include "forms/common/FormContext.h"

#include <cstddef>
#include <optional>

class QWidget;

namespace rps {

enum class MemMapArea { Main, Eeprom, TraceData };

// Opens the viewer of an area at its last position, or at an address inside it. The main
// area's checksum word is recomputed first so the dump shows what a write would send.
// Returns true when a byte was changed. Each area has one viewer: while it is shown, asking
// for it again brings it to the front (on the address, if one is given) and returns false.
bool openMemoryMap(FormContext& context, MemMapArea area, QWidget* parent,
                   std::optional<std::size_t> address = std::nullopt);

// Opens a viewer on the 128 bytes of a channel's record; nothing for an empty channel. The
// viewer follows the record when records move and closes when the channel is deleted.
bool openChannelRecordViewer(FormContext& context, int channel, QWidget* parent);

// Closes every memory map viewer that is shown, before the image they show is replaced.
void closeMemoryMaps();

} // namespace rps
