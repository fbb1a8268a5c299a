#pragma once
// A comparison of two images as a tree: one branch per form with its differing fields (record
// and caption, then the value on each side), a branch of the bytes no field names, and one of
// the stamps the write sets. It only shows what the comparison found.
#include "forms/ImageComparison.h"

#include <QTreeWidget>

namespace rps {

class LanguageTable;

inline constexpr int kSetByTheWriteText = 457;
inline constexpr int kUnnamedBytesText = 458;
inline constexpr int kComparedFieldText = 473;
inline constexpr int kComparisonSummaryText = 474;

class CComparisonView : public QTreeWidget {
    Q_OBJECT
public:
    CComparisonView(const LanguageTable& texts, QWidget* parent = nullptr);

    // The headers of the two value columns: what each side is.
    void setSides(const QString& first, const QString& second);
    void showComparison(const ImageComparison& comparison);
    // "Fields: 2, bytes no field names: 1, set by the write: 1"
    QString summary() const { return summary_; }

private:
    QTreeWidgetItem* branch(const QString& title);

    const LanguageTable& texts_;
    QString summary_;
};

} // namespace rps
