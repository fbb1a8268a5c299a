#include "app/CTransferDialog.h"

#include "app/CComparisonView.h"

#include "app/ShellDialogParts.h"
#include "app/ShellTexts.h"
#include "forms/common/HelpRequest.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kProgressLabelText = 551;
constexpr int kReadTotal = 167;
constexpr int kWriteTotal = 165;
constexpr int kVerifyText = 495; // "Read back and compare after the write"

} // namespace

CTransferDialog::CTransferDialog(const LanguageTable& texts, Captions captions, TransferFn transfer,
                                 QWidget* parent)
    : QDialog(parent), texts_(texts), captions_(captions), transfer_(std::move(transfer))
{
    setWindowTitle(languageText(texts, captions.idle));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto* layout = new QVBoxLayout(this);
    progressLabel_ = new QLabel(this);
    progressLabel_->setObjectName("progressLabel");
    bar_ = new QProgressBar(this);
    bar_->setObjectName("progressBar");
    bar_->setTextVisible(false);
    layout->addWidget(progressLabel_);
    layout->addWidget(bar_);
    content_ = new QVBoxLayout;
    layout->addLayout(content_);
    layout->addSpacing(6);

    QDialogButtonBox* buttons = makeButtonRow(texts, this, true, true);
    start_ = buttons->button(QDialogButtonBox::Ok);
    start_->setObjectName("startButton");
    start_->setText(languageText(texts, captions.startButton));
    connect(buttons, &QDialogButtonBox::accepted, this, &CTransferDialog::start);
    connect(buttons, &QDialogButtonBox::rejected, this, &CTransferDialog::reject);
    layout->addWidget(buttons);
    locked_ = {start_, buttons->button(QDialogButtonBox::Cancel), buttons->button(QDialogButtonBox::Help)};
    showProgress(0, captions.total);
    setMinimumWidth(380);
}

void CTransferDialog::showProgress(int step, int total)
{
    progressLabel_->setText(
        QString::fromStdString(progressText(texts_.text(kProgressLabelText), step, total)));
    if (step == 0)
        bar_->setRange(0, total);
    bar_->setValue(step);
}

void CTransferDialog::setBusy(bool busy)
{
    busy_ = busy;
    for (QWidget* widget : locked_) {
        if (widget != nullptr)
            widget->setEnabled(!busy);
    }
    setWindowTitle(languageText(texts_, busy ? captions_.busy : captions_.idle));
}

void CTransferDialog::start()
{
    if (busy_)
        return;
    setBusy(true);
    const int result = transfer_([this](int step, int total) { showProgress(step, total); });
    setBusy(false);
    transferDone(result);
}

void CTransferDialog::closeEvent(QCloseEvent* event)
{
    if (busy_)
        event->ignore();
    else
        QDialog::closeEvent(event);
}

void CTransferDialog::keyPressEvent(QKeyEvent* event)
{
    if (busy_) {
        event->accept(); // Escape, Enter and the like do nothing while the repeater is talking
        return;
    }
    QDialog::keyPressEvent(event);
}

void CTransferDialog::reject()
{
    if (!busy_)
        QDialog::reject();
}

CReadDialog::CReadDialog(const LanguageTable& texts, TransferFn transfer, InformFn inform, QWidget* parent)
    : CTransferDialog(texts, {548, 549, 30, kReadTotal}, std::move(transfer), parent),
      inform_(std::move(inform))
{
    setHelpContext(this, 82176);
    setObjectName("readDialog");
}

void CReadDialog::transferDone(int result)
{
    if (result == 0) {
        inform_(550, 556);
        accept();
    } else {
        QDialog::reject();
    }
}

CWriteDialog::CWriteDialog(const LanguageTable& texts, bool setClock, TransferFn transfer, InformFn inform,
                           QWidget* parent, bool verify)
    : CTransferDialog(texts, {570, 571, 31, kWriteTotal}, std::move(transfer), parent),
      inform_(std::move(inform))
{
    setHelpContext(this, 82432);
    setObjectName("writeDialog");
    clockBox_ = new QCheckBox(languageText(texts, 585), this);
    clockBox_->setObjectName("clockBox");
    clockBox_->setChecked(setClock);
    contentLayout()->addWidget(clockBox_);
    lockedWhileBusy().push_back(clockBox_);
    verifyBox_ = new QCheckBox(languageText(texts, kVerifyText), this);
    verifyBox_->setObjectName("verifyBox");
    verifyBox_->setChecked(verify);
    contentLayout()->addWidget(verifyBox_);
    lockedWhileBusy().push_back(verifyBox_);
}

void CWriteDialog::offerPreview(bool wanted, PreviewFn preview)
{
    previewWanted_ = wanted;
    preview_ = std::move(preview);
    previewBox_ = new QCheckBox(languageText(texts(), kWritePreviewText), this);
    previewBox_->setObjectName("previewBox");
    previewNote_ = new QLabel(this);
    previewNote_->setObjectName("previewNote");
    previewNote_->setWordWrap(true);
    previewView_ = new CComparisonView(texts(), this);
    previewView_->setSides(languageText(texts(), kInTheRepeaterText),
                           languageText(texts(), kAfterTheWriteText));
    previewView_->setMinimumSize(640, 300);
    contentLayout()->addWidget(previewBox_);
    contentLayout()->addWidget(previewNote_);
    contentLayout()->addWidget(previewView_, 1);
    if (!preview_) {
        previewBox_->setEnabled(false);
        previewNote_->setText(languageText(texts(), kNoReadToCompareText));
        showPreview(false);
        previewNote_->show();
        return;
    }
    lockedWhileBusy().push_back(previewBox_);
    previewBox_->setChecked(wanted);
    connect(previewBox_, &QCheckBox::toggled, this, [this](bool on) {
        previewWanted_ = on;
        showPreview(on);
    });
    showPreview(wanted);
}

void CWriteDialog::showPreview(bool shown)
{
    if (shown && !previewFilled_ && preview_) {
        const ImageComparison comparison = preview_();
        previewView_->showComparison(comparison);
        const bool onlyStamps = comparison.fields.empty() && comparison.bytes.empty();
        previewNote_->setText(onlyStamps ? languageText(texts(), kNothingChangesText)
                                         : previewView_->summary());
        previewFilled_ = true;
    }
    previewNote_->setVisible(shown);
    previewView_->setVisible(shown);
    adjustSize();
}

bool CWriteDialog::setClock() const
{
    return clockBox_->isChecked();
}

bool CWriteDialog::verify() const
{
    return verifyBox_->isChecked();
}

void CWriteDialog::transferDone(int result)
{
    if (result == 0) {
        inform_(572, 588);
        accept();
    } else {
        QDialog::reject();
    }
}

} // namespace rps
