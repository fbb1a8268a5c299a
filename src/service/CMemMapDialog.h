#pragma once
// "Memory Map": a modal hex dump of an area of the image, sixteen bytes per line, with the
// characters beside it where offered, an address entry and in-place byte edits.
#include "service/CMemMapModel.h"

#include <QDialog>
#include <QTableView>

class QCheckBox;
class QLineEdit;

namespace rps {

class CMemMapGrid : public QTableView {
    Q_OBJECT
public:
    explicit CMemMapGrid(QWidget* parent = nullptr);
    void setMemMapModel(CMemMapModel* model);
    bool isEditing() const { return state() == QAbstractItemView::EditingState; }
    void selectOffset(std::size_t offset, bool characterColumn = false);

signals:
    void helpRequested();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void moveHorizontally(int delta);
    void openHexEditor(std::optional<QString> initialText);

    CMemMapModel* model_ = nullptr;
};

struct MemMapDialogSetup {
    QString caption;
    QString charactersLabel;
    QString closeLabel;
    bool charactersOffered = true;
    int firstLine = 0; // line shown at the top when the viewer opens
};

class CMemMapDialog : public QDialog {
    Q_OBJECT
public:
    CMemMapDialog(MemMapSource source, std::span<uint8_t> mainArea, const MemMapDialogSetup& setup,
                  QWidget* parent = nullptr);

    CMemMapGrid* grid() const { return grid_; }
    CMemMapModel* model() const { return model_; }
    QLineEdit* addressField() const { return address_; }
    QCheckBox* charactersBox() const { return characters_; }
    // Positions the grid on an address; addresses outside the area are ignored.
    bool goToAddress(std::size_t address);
    int firstVisibleLine() const;

signals:
    void writeRefused(int textNumber);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showAddressOfCurrentCell();
    void enterAddress();
    void setCharactersShown(bool shown);
    // Places the window around a centre point, inside the available area of its screen.
    void keepOnScreen(QPoint centre);

    CMemMapModel* model_ = nullptr;
    CMemMapGrid* grid_ = nullptr;
    QLineEdit* address_ = nullptr;
    QCheckBox* characters_ = nullptr;
};

} // namespace rps
