#include "app/CComparisonView.h"

#include "forms/common/DialogButtons.h"
#include "texts/TextArguments.h"

#include <QHeaderView>

#include <map>

namespace rps {

namespace {

QString bytePlace(const ByteDifference& run)
{
    return QString::fromStdString(areaName(run.area) + " " + hexOffset(run.offset));
}

void addRow(QTreeWidgetItem* parent, const QString& name, const std::string& first, const std::string& second)
{
    auto* item = new QTreeWidgetItem(parent);
    item->setText(0, name);
    item->setText(1, QString::fromStdString(first));
    item->setText(2, QString::fromStdString(second));
    // A long run of bytes is cut at the column's edge: the whole value shows on hovering.
    item->setToolTip(1, item->text(1));
    item->setToolTip(2, item->text(2));
}

} // namespace

CComparisonView::CComparisonView(const LanguageTable& texts, QWidget* parent)
    : QTreeWidget(parent), texts_(texts)
{
    setObjectName("comparisonView");
    setColumnCount(3);
    setRootIsDecorated(true);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    header()->setStretchLastSection(true);
    setSides({}, {});
}

void CComparisonView::setSides(const QString& first, const QString& second)
{
    setHeaderLabels({languageText(texts_, kComparedFieldText), first, second});
}

QTreeWidgetItem* CComparisonView::branch(const QString& title)
{
    auto* item = new QTreeWidgetItem(this);
    item->setText(0, title);
    QFont bold = item->font(0);
    bold.setBold(true);
    item->setFont(0, bold);
    item->setFirstColumnSpanned(true);
    item->setExpanded(true);
    return item;
}

void CComparisonView::showComparison(const ImageComparison& comparison)
{
    clear();
    std::map<std::string, QTreeWidgetItem*> forms;
    for (const FieldDifference& field : comparison.fields) {
        QTreeWidgetItem*& form = forms[field.formKey];
        if (form == nullptr)
            form = branch(languageText(texts_, field.formText));
        const std::string name = field.record.empty() ? field.caption : field.record + "  " + field.caption;
        addRow(form, QString::fromStdString(name), field.first, field.second);
        form->child(form->childCount() - 1)->setToolTip(0, QString::fromStdString(field.key));
    }
    if (!comparison.bytes.empty()) {
        QTreeWidgetItem* bytes = branch(languageText(texts_, kUnnamedBytesText));
        for (const ByteDifference& run : comparison.bytes)
            addRow(bytes, bytePlace(run), hexBytes(run.first), hexBytes(run.second));
    }
    if (!comparison.stamps.empty()) {
        QTreeWidgetItem* stamps = branch(languageText(texts_, kSetByTheWriteText));
        for (const StampDifference& stamp : comparison.stamps)
            addRow(stamps, languageText(texts_, stamp.text) + " (" + bytePlace(stamp.bytes) + ")",
                   hexBytes(stamp.bytes.first), hexBytes(stamp.bytes.second));
    }
    std::size_t unnamed = 0;
    for (const ByteDifference& run : comparison.bytes)
        unnamed += run.first.size();
    summary_ = QString::fromStdString(
        fillTextArguments(texts_.text(kComparisonSummaryText),
                          {std::to_string(comparison.fields.size()), std::to_string(unnamed),
                           std::to_string(comparison.stamps.size())}));
    resizeColumnToContents(0);
    setColumnWidth(0, std::min(columnWidth(0) + 16, 420));
    setColumnWidth(1, 220);
}

} // namespace rps
