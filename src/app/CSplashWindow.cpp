#include "app/CSplashWindow.h"

#include "app/ShellDialogParts.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimer>

namespace rps {

CSplashWindow::CSplashWindow(const LanguageTable& texts, bool lowColour, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      line1_(languageText(texts, 1)), line2_(languageText(texts, 2)), line5_(languageText(texts, 5)),
      line7_(languageText(texts, 7)), lowColour_(lowColour)
{
    setObjectName("splashWindow");
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(480, 300);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    connect(timer_, &QTimer::timeout, this, &QWidget::close);
    // Presses anywhere in the application close it, as do presses on the splash itself.
    qApp->installEventFilter(this);
}

CSplashWindow::~CSplashWindow()
{
    qApp->removeEventFilter(this);
}

void CSplashWindow::showCentred()
{
    if (QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    show();
    timer_->start(kShowTimeMs);
}

void CSplashWindow::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (lowColour_) {
        painter.fillRect(rect(), QColor(0, 0, 128));
    } else {
        painter.drawPixmap(0, 0, productPicture(width(), height()));
    }
    painter.setPen(Qt::white);
    QFont title = font();
    title.setPointSizeF(title.pointSizeF() * 1.6);
    title.setBold(true);
    painter.setFont(title);
    // The product name may wrap; it stays clear of the antenna on the right.
    const QRect titleArea(24, 16, width() - 150, 64);
    painter.drawText(titleArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, line1_);
    painter.setFont(font());
    painter.drawText(QRect(24, 80, width() - 150, 22), Qt::AlignLeft | Qt::AlignVCenter, line2_);
    painter.drawText(QRect(24, height() - 64, width() - 48, 22), Qt::AlignLeft | Qt::AlignVCenter, line5_);
    painter.drawText(QRect(24, height() - 40, width() - 48, 22), Qt::AlignLeft | Qt::AlignVCenter, line7_);
    painter.setPen(QColor(150, 160, 175));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void CSplashWindow::mousePressEvent(QMouseEvent*)
{
    close();
}

void CSplashWindow::keyPressEvent(QKeyEvent*)
{
    close();
}

bool CSplashWindow::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::NonClientAreaMouseButtonPress:
        QTimer::singleShot(0, this, &QWidget::close);
        break;
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace rps
