#pragma once
// "Channel Edit": every field of one channel at once, one control per row of the channel
// field table, stepping through the 30 channels. Follows the channel grid's row both ways.
#include "forms/common/CFieldFormView.h"

class QPushButton;

namespace rps {

class CChEditView : public CFieldFormView {
    Q_OBJECT
public:
    CChEditView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    void channelSelectionChanged(int channel) override;
    QString formTitle() const override;

    int currentChannel() const { return channel_; }
    void setChannel(int channel);
    void stepChannel(int direction);

protected:
    void stepRecord(int direction) override { stepChannel(direction); }
    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void refreshAll(bool focusChannel);
    // After a store: show its warning and let every open form re-read.
    void stored(int item, const fields::EditResult& result);

    QPushButton* beatShiftButton_ = nullptr;
    int channel_ = 0;
    // A store of the key being handled put the focus where the form goes next: the key
    // itself moves it no further.
    bool storePlacedFocus_ = false;
    // Shift+Tab stores the typed text and goes back, not on to the next control.
    bool leavingBackwards_ = false;
};

} // namespace rps
