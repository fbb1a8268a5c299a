#pragma once
// How a control asks for help without knowing the help window: a control says what it is
// (a field by its key, a grid by the keys of its cells, a dialog or button by its help
// context), and a Help button or F1 hands the control to the handler the shell installs.
#include <QString>

#include <functional>

class QAbstractButton;
class QWidget;

namespace rps {

// The help context of a dialog or a control (the shell maps it to a page).
void setHelpContext(QWidget* widget, int context);
// The command whose page a window without a context number of its own shows (a viewer).
void setHelpCommand(QWidget* widget, int command);
// The field a control edits: the row key of its declared form ("speed", "tx-frequency").
void setHelpField(QWidget* widget, const QString& fieldKey);
// The field of one cell of a grid; row -1 names every row of the column (a record grid).
void setHelpCell(QWidget* grid, int row, int column, const QString& fieldKey);

// What a widget says about itself, nothing set: 0 and an empty key.
int helpContextOf(const QWidget* widget);
int helpCommandOf(const QWidget* widget);
QString helpFieldOf(const QWidget* widget);
QString helpCellOf(const QWidget* grid, int row, int column);

using HelpHandler = std::function<void(QWidget* origin)>;
// The shell's handler; an empty one makes help requests do nothing.
void setHelpHandler(HelpHandler handler);
bool hasHelpHandler();
// Help for `origin`: the control that has the focus, or the Help button pressed.
void requestHelp(QWidget* origin);
// A Help button: enabled, and pressing it asks help for the focused control of its window
// (the button itself when the focus is elsewhere).
void connectHelpButton(QAbstractButton* button);

} // namespace rps
