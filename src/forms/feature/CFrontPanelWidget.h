#pragma once
// A picture of the repeater's front panel with its six programmable keys, drawn by us. The key
// assignment form shows it under its grid and marks the key of the current row; clicking a key
// reports it so that the form can move its grid there.
#include <QStringList>
#include <QWidget>

namespace rps {

class CFrontPanelWidget : public QWidget {
    Q_OBJECT
public:
    static constexpr int kKeys = 6;

    explicit CFrontPanelWidget(QWidget* parent = nullptr);

    // Key 0..5 to mark, or -1 for none; any other number marks none.
    void setSelectedKey(int key);
    int selectedKey() const { return selected_; }

    // Names printed under the keys (language texts of keys 1..6, given by the form).
    void setKeyNames(const QStringList& names);

    // Where key 0..5 is drawn; an empty rectangle for any other number.
    QRect keyRect(int key) const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void keyClicked(int key);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QRectF panelRect() const;
    void drawChassis(QPainter& painter, const QRectF& panel) const;
    void drawKey(QPainter& painter, int key) const;

    int selected_ = -1;
    QStringList names_;
};

} // namespace rps
