#pragma once
// The borderless picture shown while the main window is created. It carries language
// texts 1, 2, 5 and 7 with the version and closes after 5 s or at the first key or mouse
// press, whichever comes first.
#include <QWidget>

class QTimer;

namespace rps {

class LanguageTable;

class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowTimeMs = 5000;

    // lowColour: the display has fewer than 16 bits per pixel.
    CSplashWindow(const LanguageTable& texts, bool lowColour, QWidget* parent = nullptr);
    ~CSplashWindow() override;

    void showCentred();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QString line1_;
    QString line2_;
    QString line5_;
    QString line7_;
    bool lowColour_;
    QTimer* timer_ = nullptr;
};

} // namespace rps
