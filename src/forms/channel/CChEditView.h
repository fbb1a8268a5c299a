#pragma once
// "Channel Edit": every field of one channel at once, one control per item of the item
// table, stepping through the 30 channels. Follows the channel grid's row both ways.
#include "forms/common/CFormView.h"
#include "forms/common/CItemFormBuilder.h"

class QPushButton;

namespace rps {

class ChannelEditor;

class CChEditView : public CFormView {
    Q_OBJECT
public:
    CChEditView(FormContext& context, QWidget* parent = nullptr);
    ~CChEditView() override;

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    void channelSelectionChanged(int channel) override;
    QString formTitle() const override;

    int currentChannel() const { return channel_; }
    // The control of an item (for tests and the builder's callers).
    QWidget* control(int item) const;
    void setChannel(int channel);
    void stepChannel(int direction);

protected:
    bool eventFilter(QObject* object, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void connectControls();
    void refreshAll(bool focusChannel);
    void refreshItem(const ChannelEditor& editor, int item);
    void fillChoiceLists(const ChannelEditor& editor);
    // After a store: show its warning and let every open form re-read.
    void stored(int warning, bool changed);
    void commitText(int item);
    void chooseEntry(int item, int index);
    void closeForm();

    QMap<int, BuiltItem> items_;
    QPushButton* beatShiftButton_ = nullptr;
    int channel_ = 0;
    bool refreshing_ = false;
};

} // namespace rps
