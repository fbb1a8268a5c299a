#pragma once
// Communication Port: twenty buttons "COM1" .. "COM20"; only the ports present on this
// machine are enabled, each with the device it stands for; the current one is checked.
#include "link/qt/SerialPortList.h"

#include <QDialog>

#include <string>
#include <vector>

class QButtonGroup;

namespace rps {

class LanguageTable;

class CPortDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPortCount = 20;

    CPortDialog(const LanguageTable& texts, const std::vector<PortChoice>& present, int currentNumber,
                QWidget* parent = nullptr);

    // The checked port, 0 when none is.
    int chosenNumber() const;
    std::string chosenDevice() const;
    QButtonGroup* buttons() const { return group_; }

private:
    QButtonGroup* group_ = nullptr;
    std::vector<PortChoice> present_;
};

} // namespace rps
