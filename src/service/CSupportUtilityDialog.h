#pragma once
// The support utility view: the link options kept for the program run. Each box takes effect
// when it is clicked; Enter moves on like Tab except on Close.
#include "document/DocumentFlows.h"
#include "link/RadioLink.h"
#include "texts/LanguageTable.h"

#include <QDialog>

class QCheckBox;
class QPushButton;

namespace rps {

class CSupportUtilityDialog : public QDialog {
    Q_OBJECT
public:
    CSupportUtilityDialog(const LanguageTable& texts, LinkOptions& link, DataFileSettings& files,
                          QWidget* parent = nullptr);

    QCheckBox* encryptBox() const { return encrypt_; }
    QCheckBox* fileInformationBox() const { return fileInformation_; }
    QCheckBox* synAckBox() const { return synAck_; }
    QCheckBox* waitForUsbBox() const { return waitForUsb_; }
    QPushButton* closeButton() const { return close_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QCheckBox* encrypt_ = nullptr;
    QCheckBox* fileInformation_ = nullptr;
    QCheckBox* synAck_ = nullptr;
    QCheckBox* waitForUsb_ = nullptr;
    QPushButton* close_ = nullptr;
};

} // namespace rps
