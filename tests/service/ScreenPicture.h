#pragma once
// With RPS_SCREENSHOT_DIR set, a dialog is saved as it sits on a 1280x800 screen.
#include <QColor>
#include <QDir>
#include <QPainter>
#include <QPixmap>
#include <QWidget>

namespace rps::test {

inline void screenshot(QWidget* dialog, const QString& name)
{
    const QString folder = qEnvironmentVariable("RPS_SCREENSHOT_DIR");
    if (folder.isEmpty())
        return;
    QPixmap screen(1280, 800);
    screen.fill(QColor(0x3A, 0x6E, 0xA5));
    const QPixmap picture = dialog->grab();
    QPainter painter(&screen);
    painter.drawPixmap((1280 - picture.width()) / 2, (800 - picture.height()) / 2, picture);
    painter.end();
    screen.save(QDir(folder).filePath(name));
}

} // namespace rps::test
