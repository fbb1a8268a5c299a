#pragma once
// "Compare...": two configurations side by side, field by field. The first side is the working
// image or a data file, the second a data file or the repeater (read into a scratch image).
// Where the images come from is the shell's business: the dialog asks its sources for them.
#include "forms/ImageComparison.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;

namespace rps {

class CComparisonView;
class LanguageTable;

inline constexpr int kCompareMenuText = 463;
inline constexpr int kCompareTitleText = 464;
inline constexpr int kWorkingImageText = 465;
inline constexpr int kDataFileSideText = 466;
inline constexpr int kRepeaterSideText = 467;
inline constexpr int kFirstSideText = 468;
inline constexpr int kSecondSideText = 469;
inline constexpr int kCompareButtonText = 471;
inline constexpr int kSameConfigurationsText = 472;

// One side of a comparison: its image, the environment its fields are shown in, and its name
// for the column header (the file name, "Working image", "Repeater").
struct CompareSide {
    std::unique_ptr<ImageAreas> areas;
    fields::FieldEnv env;
    std::string name;
};

struct CompareSources {
    std::function<std::optional<CompareSide>()> working;
    std::function<std::optional<CompareSide>()> file;     // asks for a data file and loads it
    std::function<std::optional<CompareSide>()> repeater; // reads the repeater
};

class CCompareDialog : public QDialog {
    Q_OBJECT
public:
    enum class First { Working, File };
    enum class Second { File, Repeater };

    CCompareDialog(const LanguageTable& texts, CompareSources sources, QWidget* parent = nullptr);

    void choose(First first, Second second);
    // Fetches both sides and shows what differs; false when a side could not be had.
    bool compare();
    CComparisonView* view() const { return view_; }
    QLabel* summaryLabel() const { return summary_; }

private:
    const LanguageTable& texts_;
    CompareSources sources_;
    QComboBox* first_ = nullptr;
    QComboBox* second_ = nullptr;
    QPushButton* compareButton_ = nullptr;
    QLabel* summary_ = nullptr;
    CComparisonView* view_ = nullptr;
};

} // namespace rps
