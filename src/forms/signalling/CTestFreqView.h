#pragma once
// "Test Frequency": the grid of the sixteen test frequency pairs, declared in TestFreqFields,
// and "Ch Paste", which takes the frequencies of channels 1..16.
#include "forms/common/CFieldFormView.h"

class QPushButton;

namespace rps {

class CGridView;

class CTestFreqView : public CFieldFormView {
    Q_OBJECT
public:
    CTestFreqView(FormContext& context, QWidget* parent = nullptr);

    static CFormView* create(FormContext& context, QWidget* parent);

    void refreshFromImage() override;
    CGridView* grid() const;
    QPushButton* channelPasteButton() const { return channelPaste_; }

private:
    void pasteChannels();

    QPushButton* channelPaste_ = nullptr;
};

} // namespace rps
