#pragma once
// The support utility view: the link options kept for the program run. Each box takes effect
// when it is clicked; Enter moves on like Tab except on Close.
#include "document/DocumentFlows.h"
#include "link/RadioLink.h"
#include "texts/LanguageTable.h"

#include <QDialog>

#include <functional>
#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace rps {

// The serial trace option: whether a trace runs, its file, and the switch (the file it
// started, empty when it could not be started or was stopped).
struct TraceOption {
    bool on = false;
    std::string path;
    std::function<std::string(bool on)> toggle;
};

class CSupportUtilityDialog : public QDialog {
    Q_OBJECT
public:
    CSupportUtilityDialog(const LanguageTable& texts, LinkOptions& link, DataFileSettings& files,
                          QWidget* parent = nullptr, TraceOption trace = {});

    QCheckBox* encryptBox() const { return encrypt_; }
    QCheckBox* fileInformationBox() const { return fileInformation_; }
    QCheckBox* synAckBox() const { return synAck_; }
    QCheckBox* waitForUsbBox() const { return waitForUsb_; }
    QCheckBox* traceBox() const { return traceBox_; }
    QLabel* traceLabel() const { return traceLabel_; }
    QPushButton* closeButton() const { return close_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QCheckBox* encrypt_ = nullptr;
    QCheckBox* fileInformation_ = nullptr;
    QCheckBox* synAck_ = nullptr;
    QCheckBox* waitForUsb_ = nullptr;
    QCheckBox* traceBox_ = nullptr;
    QLabel* traceLabel_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace rps
