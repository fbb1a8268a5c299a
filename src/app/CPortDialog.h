#pragma once
// Communication Port: a table of the ports present, one "COMn" row each (device path,
// description, manufacturer, serial number, stable name), and a field to type the path of
// any character device, a pseudo-terminal included. The current port is preselected; OK
// without a change keeps the port as it was.
#include "link/PortList.h"

#include <QDialog>

#include <string>
#include <vector>

class QLineEdit;
class QTableWidget;

namespace rps {

class LanguageTable;

class CPortDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kPortCount = 20;

    CPortDialog(const LanguageTable& texts, const std::vector<PortChoice>& present, int currentNumber,
                const std::string& currentDevice, QWidget* parent = nullptr);

    // True when the user chose another port than the one the dialog opened with.
    bool changed() const;
    // The chosen row's number; a typed path that is not listed keeps the current number.
    int chosenNumber() const;
    // The device to store: the row's device (its stable name when it has one) or the typed path.
    std::string chosenDevice() const;

    QTableWidget* table() const { return table_; }
    QLineEdit* pathField() const { return path_; }

private:
    void rowChosen();
    void pathTyped();

    QTableWidget* table_ = nullptr;
    QLineEdit* path_ = nullptr;
    std::vector<PortChoice> present_;
    int currentNumber_ = 0;
    std::string currentDevice_;
};

} // namespace rps
