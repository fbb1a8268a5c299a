#pragma once
// A list whose entries are reordered, not typed (the PTT priority): the entries in their
// stored order, numbered by place, with spin buttons beside them. The up button moves the selected entry one
// place towards the start, the down button one place towards the end; the selection
// follows the moved entry. With nothing selected, the first entry is selected first.
#include <QStringList>
#include <QWidget>

class QListWidget;

namespace rps {

class CSpinEdit;

class COrderList : public QWidget {
    Q_OBJECT
public:
    explicit COrderList(QWidget* parent = nullptr);

    // Shows the entries; the selected place stays where it was.
    void setEntries(const QStringList& entries);
    QStringList entries() const;
    QListWidget* list() const { return list_; }
    int selected() const;
    void select(int place);
    // One step of the spin buttons: -1 towards the start, +1 towards the end.
    void step(int direction);

signals:
    void moveRequested(int from, int to);

private:
    QListWidget* ranks_;
    QListWidget* list_;
    CSpinEdit* spin_;
};

} // namespace rps
