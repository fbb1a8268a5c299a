#pragma once
// "Tuning Data": the repeater's tuning block in a grid of 387 values with an "Edit: @" spin for
// the selected value, read from and written to the repeater, opened from and saved to tuning
// data files. While a transfer runs the dialog cannot be closed.
#include "forms/fields/FieldRules.h"
#include "link/RadioLink.h"
#include "service/tuning/TuningDataState.h"
#include "texts/DialogService.h"
#include "texts/LanguageTable.h"

#include <QDialog>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;

namespace rps {

class CFieldGridModel;
class CGridView;
class CSpinEdit;

struct TuningDataParts {
    const LanguageTable& texts;
    DialogService& dialogs;
    RadioLink& link;
    std::string folder; // where the default file name lives
    char decimalSeparator = '.';
};

class CTuningDataDialog : public QDialog {
    Q_OBJECT
public:
    explicit CTuningDataDialog(TuningDataParts parts, QWidget* parent = nullptr);
    ~CTuningDataDialog() override;

    TuningDataState& state() { return state_; }
    CGridView* grid() const { return grid_; }
    CSpinEdit* editSpin() const { return edit_; }
    QPushButton* readButton() const { return read_; }
    QPushButton* writeButton() const { return write_; }
    QPushButton* openButton() const { return open_; }
    QPushButton* saveButton() const { return save_; }
    QPushButton* saveAsButton() const { return saveAs_; }
    QLabel* fileLabel() const { return file_; }
    QLabel* unitLabel() const { return unit_; }
    bool busy() const { return busy_; }

    void readFromRadio();
    void writeToRadio();
    void openFile();
    void saveFile(bool askName);

    void reject() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QString text(int number) const;
    void refresh();
    void showSelected();
    void stepSelected(int direction);
    void commitSelected(const QString& typed);
    int runTransfer(bool reading);
    void inform(int message);
    void error(const std::string& message);

    TuningDataParts parts_;
    TuningDataState state_;
    fields::FieldEnv env_;
    CFieldGridModel* model_ = nullptr;
    CGridView* grid_ = nullptr;
    CSpinEdit* edit_ = nullptr;
    QPushButton* read_ = nullptr;
    QPushButton* write_ = nullptr;
    QPushButton* open_ = nullptr;
    QPushButton* save_ = nullptr;
    QPushButton* saveAs_ = nullptr;
    QPushButton* close_ = nullptr;
    QLabel* file_ = nullptr;
    QLabel* unit_ = nullptr;
    QProgressBar* progress_ = nullptr;
    bool busy_ = false;
};

} // namespace rps
