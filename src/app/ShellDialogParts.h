#pragma once
// Small pieces shared by the shell's dialogs: the button row and language texts every dialog
// uses, and the product picture.
#include "forms/common/DialogButtons.h"

#include <QPixmap>

namespace rps {

// The picture drawn in the About box and the splash window: the repeater front panel.
QPixmap productPicture(int width, int height);

} // namespace rps
