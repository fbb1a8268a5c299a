#pragma once
// "Hardware Version" and "Radio Information": what a repeater told about itself, shown after
// the exchange. The open functions run the exchange and show the dialog when it succeeded.
#include "service/ServiceTools.h"

#include <QDialog>

class QLabel;
class QPushButton;

namespace rps {

class CHardwareVersionDialog : public QDialog {
    Q_OBJECT
public:
    CHardwareVersionDialog(const LanguageTable& texts, const HardwareVersions& versions,
                           QWidget* parent = nullptr);
};

class CRadioInfoDialog : public QDialog {
    Q_OBJECT
public:
    CRadioInfoDialog(const LanguageTable& texts, const RadioInformationLines& lines,
                     QWidget* parent = nullptr);
    QPushButton* printButton() const { return print_; }

private:
    QPushButton* print_ = nullptr;
};

void openHardwareVersion(TransferContext& context, QWidget* parent);
void openRadioInformation(TransferContext& context, QWidget* parent);

} // namespace rps
