#include "forms/feature/CKeyView.h"

#include "forms/common/CFieldGridModel.h"
#include "forms/common/CGridView.h"
#include "forms/common/FormSupport.h"
#include "forms/feature/CFrontPanelWidget.h"
#include "forms/feature/FunctionFields.h"
#include "forms/feature/KeyFields.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace rps {

using namespace feature;

namespace {
constexpr int kKeyNameWidth = 130;
constexpr int kFunctionWidth = 190;
} // namespace

CKeyView::CKeyView(FormContext& context, QWidget* parent) : CFormView(context, kCommand, parent)
{
    auto open = [&context] { return openKeyFields(context.image, formFieldEnv(context)); };
    model_ = new CFieldGridModel(
        open, {{&kKeyFields[0], kTextFunction, kFunctionWidth, CellAlign::Left}},
        [&context](int n) { return context.texts.text(n); }, context.host.decimalSeparator(), this);
    model_->setRowLabels([this](int key) { return text(kKeyNameText + key); }, kKeyNameWidth);
    model_->setUnlistedText(kTextNotOffered);
    model_->reload();
    grid_ = new CGridView(this);
    grid_->setGridModel(model_);
    grid_->setMenuTexts(gridMenuTexts(context.texts));
    grid_->fitRows(kKeyCount);

    panel_ = new CFrontPanelWidget(this);
    QStringList names;
    for (int key = 0; key < kKeyCount; ++key)
        names << text(kKeyNameText + key);
    panel_->setKeyNames(names);

    auto* top = new QHBoxLayout;
    top->addWidget(grid_, 0, Qt::AlignTop);
    top->addWidget(panel_, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top, 1);
    layout->addLayout(closeAndHelpRow());

    // Keys offer what other forms set up; the remote-control form shows the keys' entries.
    connect(model_, &CFieldGridModel::edited, this, &CKeyView::showStoredChange);
    connect(grid_, &CGridView::currentCellChanged, panel_,
            [this](int row, int) { panel_->setSelectedKey(row); });
    connect(panel_, &CFrontPanelWidget::keyClicked, grid_, [this](int key) {
        grid_->setCurrentCell(key, 0);
        grid_->setFocus();
    });

    grid_->setCurrentCell(0, 0);
    panel_->setSelectedKey(0);
    grid_->setFocus();
}

CKeyView::~CKeyView()
{
    disconnect(grid_, nullptr, this, nullptr);
    disconnect(grid_, nullptr, panel_, nullptr);
}

CFormView* CKeyView::create(FormContext& context, QWidget* parent)
{
    return new CKeyView(context, parent);
}

QString CKeyView::formTitle() const
{
    return text(kKeyAssignmentTitleText);
}

void CKeyView::refreshFromImage()
{
    model_->refreshAll();
}

} // namespace rps
