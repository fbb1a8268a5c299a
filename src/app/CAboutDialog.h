#pragma once
// The About box: caption language text 8, product texts 1..7 and the OK button (26).
#include <QDialog>

namespace rps {

class LanguageTable;

class CAboutDialog : public QDialog {
    Q_OBJECT
public:
    CAboutDialog(const LanguageTable& texts, QWidget* parent = nullptr);
};

} // namespace rps
