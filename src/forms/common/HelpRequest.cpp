#include "forms/common/HelpRequest.h"

#include <QAbstractButton>
#include <QApplication>
#include <QPointer>
#include <QVariant>
#include <QWidget>

#include <memory>

namespace rps {

namespace {

constexpr const char* kContextProperty = "rpsHelpContext";
constexpr const char* kFieldProperty = "rpsHelpField";
constexpr const char* kCommandProperty = "rpsHelpCommand";

HelpHandler& handler()
{
    static HelpHandler current;
    return current;
}

QByteArray cellProperty(int row, int column)
{
    return QByteArray("rpsHelpCell_") + QByteArray::number(row) + "_" + QByteArray::number(column);
}

} // namespace

void setHelpContext(QWidget* widget, int context)
{
    widget->setProperty(kContextProperty, context);
}

void setHelpCommand(QWidget* widget, int command)
{
    widget->setProperty(kCommandProperty, command);
}

int helpCommandOf(const QWidget* widget)
{
    return widget->property(kCommandProperty).toInt();
}

void setHelpField(QWidget* widget, const QString& fieldKey)
{
    widget->setProperty(kFieldProperty, fieldKey);
}

void setHelpCell(QWidget* grid, int row, int column, const QString& fieldKey)
{
    grid->setProperty(cellProperty(row, column).constData(), fieldKey);
}

int helpContextOf(const QWidget* widget)
{
    return widget->property(kContextProperty).toInt();
}

QString helpFieldOf(const QWidget* widget)
{
    return widget->property(kFieldProperty).toString();
}

QString helpCellOf(const QWidget* grid, int row, int column)
{
    const QString exact = grid->property(cellProperty(row, column).constData()).toString();
    return exact.isEmpty() ? grid->property(cellProperty(-1, column).constData()).toString() : exact;
}

void setHelpHandler(HelpHandler newHandler)
{
    handler() = std::move(newHandler);
}

bool hasHelpHandler()
{
    return static_cast<bool>(handler());
}

void requestHelp(QWidget* origin)
{
    if (handler() && origin != nullptr)
        handler()(origin);
}

void connectHelpButton(QAbstractButton* button)
{
    button->setEnabled(true);
    // The button takes no focus from a click, so the control the user was in stays focused. A
    // click still gives the focus to the nearest parent that takes it (the scroll area of a
    // form); then the control that had it before is the one the user asks about.
    button->setFocusPolicy(Qt::TabFocus);
    auto before = std::make_shared<QPointer<QWidget>>();
    QObject::connect(qApp, &QApplication::focusChanged, button, [button, before](QWidget* old, QWidget* now) {
        *before = now != nullptr && now->isAncestorOf(button) ? old : nullptr;
    });
    QObject::connect(button, &QAbstractButton::clicked, button, [button, before] {
        QWidget* focused = *before != nullptr ? before->data() : QApplication::focusWidget();
        *before = nullptr;
        const bool inWindow =
            focused != nullptr && focused->window() == button->window() && focused != button;
        requestHelp(inWindow ? focused : button);
    });
}

} // namespace rps
