#include "forms/feature/CSpecialView.h"

#include "forms/common/CGridView.h"
#include "forms/common/FormSupport.h"
#include "forms/feature/CSpecialFrame.h"
#include "forms/feature/CTuningGridModel.h"
#include "forms/feature/SpecialFields.h"

#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rps {

namespace {
constexpr int kTitleText = 1356;
constexpr int kTuningGroupText = 1361;
} // namespace

CSpecialView::CSpecialView(FormContext& context, QWidget* parent)
    : CFieldFormView(context, kAdvancedSettingsCommand, parent)
{
    const auto texts = [this](int n) { return text(n); };
    auto* form = new CFieldForm(
        fields::FieldTable(kAdvancedFields).first(special::kPageOneRows),
        [&context] { return openAdvancedForm(context.image, formFieldEnv(context)); }, texts,
        context.host.decimalSeparator());
    model_ = new CTuningGridModel([&context] { return openTuningGrid(context.image, formFieldEnv(context)); },
                                  [&context](int n) { return context.texts.text(n); },
                                  context.host.decimalSeparator(), this);
    grid_ = new CGridView;
    grid_->setGridModel(model_);
    grid_->setMenuTexts(gridMenuTexts(context.texts));
    grid_->fitRows(model_->gridRows());
    auto* group = new QGroupBox(text(kTuningGroupText));
    auto* groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(grid_);

    pages_ = new QTabWidget(this);
    auto* first = new QWidget;
    auto* firstLayout = new QVBoxLayout(first);
    firstLayout->addWidget(form);
    firstLayout->addStretch(1);
    auto* second = new QWidget;
    auto* secondLayout = new QVBoxLayout(second);
    secondLayout->addWidget(group);
    secondLayout->addStretch(1);
    pages_->addTab(first, text(special::kPageTexts[0]));
    pages_->addTab(second, text(special::kPageTexts[1]));
    setFieldForm(form, {}, pages_);

    connect(form, &CFieldForm::edited, this,
            [this](int, const fields::EditResult& result) { showStoredChange(result); });
    connect(model_, &CFieldGridModel::edited, this, &CSpecialView::showStoredChange);
    refreshFromImage();
}

CSpecialView::~CSpecialView()
{
    // An open cell editor commits while the grid is taken down; that edit has no form left to
    // show it.
    disconnect(model_, nullptr, this, nullptr);
}

CFormView* CSpecialView::create(FormContext& context, QWidget* parent)
{
    return new CSpecialView(context, parent);
}

QString CSpecialView::formTitle() const
{
    return text(kTitleText);
}

CChildFrame* CSpecialView::createFrame(const QList<QKeySequence>& frameKeys)
{
    return new CSpecialFrame(this, frameKeys);
}

void CSpecialView::refreshFromImage()
{
    fieldForm()->refresh();
    model_->reload();
}

} // namespace rps
