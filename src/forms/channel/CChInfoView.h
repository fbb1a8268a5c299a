#pragma once
// "Channel Information": the grid of the 30 channels with their principal fields, edited in
// place, with whole-channel copy/paste/delete and the way into the channel edit form.
#include "forms/common/CFormView.h"

class QLabel;
class QPushButton;

namespace rps {

class CChannelGridModel;
class CGridView;

class CChInfoView : public CFormView {
    Q_OBJECT
public:
    CChInfoView(FormContext& context, QWidget* parent = nullptr);
    ~CChInfoView() override;

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    void channelSelectionChanged(int channel) override;
    QString formTitle() const override;

    CGridView* grid() const { return grid_; }
    int currentChannel() const;
    QString freeSpaceText() const;
    QSize sizeHint() const override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void channelsChanged();
    void openChannelEdit();

    CChannelGridModel* model_ = nullptr;
    CGridView* grid_ = nullptr;
    QLabel* freeLabel_ = nullptr;
    bool following_ = false;
};

} // namespace rps
