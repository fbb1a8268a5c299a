#pragma once
// The Model Information form: model type and frequency band lists. The dialog only chooses
// a model code; the main frame carries out the change.
#include <QDialog>

#include <cstdint>

class QComboBox;

namespace rps {

class LanguageTable;

class CModelInfoDialog : public QDialog {
    Q_OBJECT
public:
    CModelInfoDialog(const LanguageTable& texts, uint16_t currentModelCode, QWidget* parent = nullptr);

    // Model code of the chosen band entry (high byte band type, low byte destination variant).
    uint16_t chosenModelCode() const;
    QComboBox* modelList() const { return models_; }
    QComboBox* bandList() const { return bands_; }

private:
    void fillBands(int modelRow, int selectBandRow);
    void modelChosen(int index);

    QComboBox* models_ = nullptr;
    QComboBox* bands_ = nullptr;
};

} // namespace rps
