#include "service/CSupportUtilityDialog.h"

#include "forms/common/HelpRequest.h"
#include "service/ToolTexts.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <functional>

namespace rps {

namespace {

constexpr int kSupportUtilityCaption = 1341;
constexpr int kTraceText = 505;     // "Serial trace to a file"
constexpr int kTraceFileText = 506; // "Serial trace: %s"

QCheckBox* optionBox(QWidget* parent, const char* label, const char* name, bool checked,
                     std::function<void(bool)> apply)
{
    auto* box = new QCheckBox(label, parent);
    box->setObjectName(name);
    box->setChecked(checked);
    QObject::connect(box, &QCheckBox::toggled, parent, std::move(apply));
    return box;
}

} // namespace

// The support utility's help is the page of its Tools command.
constexpr int kSupportUtilityCommand = 32834;

CSupportUtilityDialog::CSupportUtilityDialog(const LanguageTable& texts, LinkOptions& link,
                                             DataFileSettings& files, QWidget* parent, TraceOption trace)
    : QDialog(parent)
{
    setHelpCommand(this, kSupportUtilityCommand);
    setObjectName("supportUtilityDialog");
    setWindowTitle(toolText(texts, kSupportUtilityCaption, "Support Utility"));
    // "Encrypt Mode" scrambles both the link and the data files saved from now on.
    encrypt_ = optionBox(this, "Encrypt Mode", "encryptMode", link.encryptMode, [&link, &files](bool on) {
        link.encryptMode = on;
        files.encryptMode = on;
    });
    fileInformation_ = optionBox(this, "File Information (data file dialog box)", "fileInformation",
                                 files.fileInformation, [&files](bool on) { files.fileInformation = on; });
    synAck_ = optionBox(this, "SYN_ACK", "synAck", link.synAckLongWait,
                        [&link](bool on) { link.synAckLongWait = on; });
    waitForUsb_ = optionBox(this, "Wait for USB", "waitForUsb", link.waitForUsb,
                            [&link](bool on) { link.waitForUsb = on; });
    traceBox_ = new QCheckBox(toolText(texts, kTraceText, "Serial trace to a file"), this);
    traceBox_->setObjectName("serialTrace");
    traceBox_->setChecked(trace.on);
    traceBox_->setEnabled(static_cast<bool>(trace.toggle));
    traceLabel_ = new QLabel(this);
    traceLabel_->setObjectName("serialTraceFile");
    traceLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
    const QString fileLine = toolText(texts, kTraceFileText, "Serial trace: %s");
    const auto showFile = [this, fileLine](const std::string& path) {
        traceLabel_->setText(path.empty() ? QString()
                                          : QString(fileLine).replace("%s", QString::fromStdString(path)));
    };
    showFile(trace.on ? trace.path : std::string());
    connect(traceBox_, &QCheckBox::toggled, this, [this, toggle = trace.toggle, showFile](bool on) {
        const std::string path = toggle ? toggle(on) : std::string();
        showFile(path);
        if (on && path.empty()) {
            const QSignalBlocker quiet(traceBox_);
            traceBox_->setChecked(false);
        }
    });
    close_ = new QPushButton("&Close", this);
    close_->setObjectName("closeButton");
    close_->setAutoDefault(false);
    connect(close_, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    for (QCheckBox* box : {encrypt_, fileInformation_, synAck_, waitForUsb_, traceBox_})
        layout->addWidget(box);
    layout->addWidget(traceLabel_);
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    row->addWidget(close_);
    layout->addLayout(row);
}

void CSupportUtilityDialog::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && focusWidget() != close_) {
        focusNextChild();
        return;
    }
    if (enter) {
        close_->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace rps
