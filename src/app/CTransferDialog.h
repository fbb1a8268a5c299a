#pragma once
// The small modal dialog a read or write transfer runs in: caption, progress line
// "%s %d / %d" with its bar, and the OK / Cancel / Help buttons. While the transfer runs the
// buttons are disabled and the dialog refuses to be closed or moved by the keyboard.
#include "forms/ImageComparison.h"

#include <QDialog>

#include <functional>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QVBoxLayout;

namespace rps {

class CComparisonView;
class LanguageTable;

inline constexpr int kWritePreviewText = 475;
inline constexpr int kNoReadToCompareText = 476;
inline constexpr int kNothingChangesText = 477;
inline constexpr int kInTheRepeaterText = 478;
inline constexpr int kAfterTheWriteText = 479;

class CTransferDialog : public QDialog {
    Q_OBJECT
public:
    // The transfer itself; it reports progress through the callback and returns its result
    // code (0 = success).
    using ProgressFn = std::function<void(int step, int total)>;
    using TransferFn = std::function<int(const ProgressFn& progress)>;

    bool busy() const { return busy_; }
    QPushButton* startButton() const { return start_; }
    QLabel* progressLabel() const { return progressLabel_; }
    QProgressBar* progressBar() const { return bar_; }
    // Runs the transfer as the start button does (for the keyboard and for tests).
    void start();

protected:
    struct Captions {
        int idle;
        int busy;
        int startButton;
        int total;
    };
    CTransferDialog(const LanguageTable& texts, Captions captions, TransferFn transfer, QWidget* parent);

    // Builds the dialog's own controls into the layout above the buttons.
    QVBoxLayout* contentLayout() const { return content_; }
    void showProgress(int step, int total);
    void setBusy(bool busy);
    virtual void transferDone(int result) = 0;
    const LanguageTable& texts() const { return texts_; }
    int idleCaption() const { return captions_.idle; }
    QList<QWidget*>& lockedWhileBusy() { return locked_; }

    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public:
    // Cancel: refused while the transfer runs.
    void reject() override;

private:
    const LanguageTable& texts_;
    Captions captions_;
    TransferFn transfer_;
    QVBoxLayout* content_ = nullptr;
    QLabel* progressLabel_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QPushButton* start_ = nullptr;
    QList<QWidget*> locked_;
    bool busy_ = false;
};

// "Read Data from System": on success the information box 550 / 556, then the dialog ends
// with OK; any other result ends it with Cancel.
class CReadDialog : public CTransferDialog {
    Q_OBJECT
public:
    using InformFn = std::function<void(int text, int caption)>;
    CReadDialog(const LanguageTable& texts, TransferFn transfer, InformFn inform, QWidget* parent = nullptr);

protected:
    void transferDone(int result) override;

private:
    InformFn inform_;
};

// "Write Data to System" with the "Adjustment Time" option, which the caller keeps for the run,
// and the read-back after the write, which the caller keeps in the settings.
class CWriteDialog : public CTransferDialog {
    Q_OBJECT
public:
    using InformFn = std::function<void(int text, int caption)>;
    CWriteDialog(const LanguageTable& texts, bool setClock, TransferFn transfer, InformFn inform,
                 QWidget* parent = nullptr, bool verify = true);

    bool setClock() const;
    bool verify() const;
    QCheckBox* clockBox() const { return clockBox_; }
    QCheckBox* verifyBox() const { return verifyBox_; }

    // The "what will change" option: what the write changes in the repeater, against the read the
    // working image came from. `wanted` is the remembered choice; without a preview (no read of
    // this run to compare with) the option is off and says why, and the write is as without it.
    using PreviewFn = std::function<ImageComparison()>;
    void offerPreview(bool wanted, PreviewFn preview);
    bool previewWanted() const { return previewWanted_; }
    QCheckBox* previewBox() const { return previewBox_; }
    QLabel* previewNote() const { return previewNote_; }
    CComparisonView* previewView() const { return previewView_; }

protected:
    void transferDone(int result) override;

private:
    void showPreview(bool shown);

    QCheckBox* clockBox_ = nullptr;
    QCheckBox* verifyBox_ = nullptr;
    QCheckBox* previewBox_ = nullptr;
    QLabel* previewNote_ = nullptr;
    CComparisonView* previewView_ = nullptr;
    PreviewFn preview_;
    bool previewWanted_ = false;
    bool previewFilled_ = false;
    InformFn inform_;
};

} // namespace rps
