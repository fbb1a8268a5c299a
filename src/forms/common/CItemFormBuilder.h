#pragma once
// Lays out a form from its item table: a caption and a value control per item, in the
// item's column, check boxes and buttons with their own caption, group frames around their
// items. Captions are language texts.
#include "forms/common/CSpinEdit.h"
#include "forms/common/ItemTable.h"

#include <QMap>
#include <QWidget>

#include <functional>

class QLabel;
class QGridLayout;

namespace rps {

struct BuiltItem {
    const FormItem* row = nullptr;
    QLabel* label = nullptr;    // none for check boxes, buttons and frames
    QWidget* control = nullptr; // QLineEdit, CSpinEdit, QComboBox, QCheckBox, QGroupBox, QPushButton or QLabel
};

class CItemFormBuilder {
public:
    using TextLookup = std::function<QString(int)>;

    // Builds the controls into `container` and returns them keyed by item number.
    static QMap<int, BuiltItem> build(ItemTable table, QWidget* container, const TextLookup& text);
    // Enables a control together with its caption.
    static void setItemEnabled(const BuiltItem& built, bool enabled);
};

} // namespace rps
