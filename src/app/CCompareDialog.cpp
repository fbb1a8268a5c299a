#include "app/CCompareDialog.h"

#include "app/CComparisonView.h"
#include "forms/common/DialogButtons.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kCloseText = 28;

} // namespace

CCompareDialog::CCompareDialog(const LanguageTable& texts, CompareSources sources, QWidget* parent)
    : QDialog(parent), texts_(texts), sources_(std::move(sources))
{
    setObjectName("compareDialog");
    setWindowTitle(languageText(texts, kCompareTitleText));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setSizeGripEnabled(true);

    first_ = new QComboBox(this);
    first_->setObjectName("firstSide");
    first_->addItems({languageText(texts, kWorkingImageText), languageText(texts, kDataFileSideText)});
    second_ = new QComboBox(this);
    second_->setObjectName("secondSide");
    second_->addItems({languageText(texts, kDataFileSideText), languageText(texts, kRepeaterSideText)});
    compareButton_ = new QPushButton(languageText(texts, kCompareButtonText), this);
    compareButton_->setObjectName("compareButton");
    compareButton_->setDefault(true);
    connect(compareButton_, &QPushButton::clicked, this, [this] { compare(); });

    auto* sides = new QFormLayout;
    sides->addRow(languageText(texts, kFirstSideText), first_);
    sides->addRow(languageText(texts, kSecondSideText), second_);
    auto* top = new QHBoxLayout;
    top->addLayout(sides);
    top->addWidget(compareButton_, 0, Qt::AlignBottom);
    top->addStretch(1);

    summary_ = new QLabel(this);
    summary_->setObjectName("summaryLabel");
    view_ = new CComparisonView(texts, this);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(languageText(texts, kCloseText));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(summary_);
    layout->addWidget(view_, 1);
    layout->addWidget(buttons);
    resize(900, 560);
}

void CCompareDialog::choose(First first, Second second)
{
    first_->setCurrentIndex(first == First::Working ? 0 : 1);
    second_->setCurrentIndex(second == Second::File ? 0 : 1);
}

bool CCompareDialog::compare()
{
    const auto& getFirst = first_->currentIndex() == 0 ? sources_.working : sources_.file;
    const auto& getSecond = second_->currentIndex() == 0 ? sources_.file : sources_.repeater;
    std::optional<CompareSide> first = getFirst ? getFirst() : std::nullopt;
    if (!first)
        return false;
    std::optional<CompareSide> second = getSecond ? getSecond() : std::nullopt;
    if (!second)
        return false;
    const ImageComparison comparison =
        compareImages({*first->areas, first->env}, {*second->areas, second->env});
    view_->setSides(QString::fromStdString(first->name), QString::fromStdString(second->name));
    view_->showComparison(comparison);
    summary_->setText(comparison.same() ? languageText(texts_, kSameConfigurationsText) : view_->summary());
    return true;
}

} // namespace rps
