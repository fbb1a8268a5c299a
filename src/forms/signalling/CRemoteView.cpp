#include "forms/signalling/CRemoteView.h"

#include "forms/common/CFieldForm.h"
#include "forms/common/CFieldGridModel.h"
#include "forms/common/CGridView.h"
#include "forms/common/FormSupport.h"
#include "forms/feature/CSpecialFrame.h"
#include "forms/signalling/RemoteFields.h"

#include <QGroupBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include <vector>

namespace rps {

using namespace signalling;
using namespace signalling::remotectl;

namespace {

constexpr int kTextPfKey = 1152;
constexpr int kTextAux = 970;
constexpr int kTextAuxInput = 971;
constexpr int kTextAuxOutput = 972;
constexpr int kTextKeyTransponder = 1153;
constexpr int kTextAuxTransponder = 1154;
constexpr int kTextTable = 44;

const fields::FieldRow* remoteField(int item)
{
    return fields::findRow(kRemoteFields, item);
}

std::vector<FieldColumn> columnsOf(int functionWidth, bool withLevel)
{
    std::vector<FieldColumn> columns;
    const std::pair<int, int> items[] = {{kItemFunction, functionWidth},
                                         {kItemActivation, 115},
                                         {kItemDeactivation, 115},
                                         {kItemType, 95},
                                         {kItemOutputLevel, 95}};
    for (const auto& [item, width] : items) {
        if (item == kItemOutputLevel && !withLevel)
            continue;
        const fields::FieldRow* row = remoteField(item);
        columns.push_back({row, row->text, width, CellAlign::Left});
    }
    return columns;
}

} // namespace

CRemoteView::CRemoteView(FormContext& context, QWidget* parent) : CFormView(context, kCommand, parent)
{
    const RemoteRows grids[] = {RemoteRows::Keys, RemoteRows::Inputs, RemoteRows::Outputs};
    const int labelWidths[] = {150, 100, 100};
    const int mostRows[] = {6, 9, 11}; // fixed rows and every port
    for (std::size_t g = 0; g < 3; ++g) {
        const RemoteRows rows = grids[g];
        auto* model = new CFieldGridModel(
            [&context, rows] { return openRemoteFields(context.image, formFieldEnv(context), rows); },
            columnsOf(g == 0 ? 215 : 195, rows == RemoteRows::Outputs),
            [&context](int n) { return context.texts.text(n); }, context.host.decimalSeparator(), this);
        model->setRowLabels(
            [&context, rows](int row) {
                const RemoteRecords records(context.image.main(), rows);
                const remote::RemoteRow* r = records.row(row);
                return r ? QString::fromStdString(context.texts.text(remoteRowText(*r))) : QString();
            },
            labelWidths[g]);
        model->setUnlistedText(849);
        model->reload();
        connect(model, &CFieldGridModel::edited, this, &CRemoteView::showStoredChange);
        models_[g] = model;
        grids_[g] = new CGridView(this);
        grids_[g]->setGridModel(model);
        grids_[g]->setMenuTexts(gridMenuTexts(context.texts));
        grids_[g]->fitRows(std::min(mostRows[g], 6), mostRows[g]);
    }

    // The transponders and the two check boxes shown under both pages: the form-wide record.
    const std::pair<int, int> wideItems[] = {
        {kItemKeyTransponderTone, 3}, {kItemAuxTransponderTone, 3}, {kItemWithQt, 2}};
    for (std::size_t w = 0; w < 3; ++w) {
        const auto [first, count] = wideItems[w];
        wide_[w] = new CFieldForm(
            std::span(remoteField(first), static_cast<std::size_t>(count)),
            [&context] { return openRemoteFields(context.image, formFieldEnv(context), RemoteRows::Wide); },
            [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
        connect(wide_[w], &CFieldForm::edited, this,
                [this](int, const fields::EditResult& result) { showStoredChange(result); });
    }

    const auto framed = [this](int title, std::initializer_list<QWidget*> widgets) {
        auto* box = new QGroupBox(text(title), this);
        auto* layout = new QVBoxLayout(box);
        for (QWidget* widget : widgets)
            layout->addWidget(widget);
        return box;
    };
    tabs_ = new QTabWidget(this);
    // Vectors, not initializer lists: a list copied into a pair would outlive its elements.
    const std::pair<int, std::vector<QGroupBox*>> pages[] = {
        {kTextPfKey, {framed(kTextPfKey, {grids_[0]}), framed(kTextKeyTransponder, {wide_[0]})}},
        {kTextAux,
         {framed(kTextAuxInput, {grids_[1]}), framed(kTextAuxOutput, {grids_[2]}),
          framed(kTextAuxTransponder, {wide_[1]})}},
    };
    for (const auto& [title, boxes] : pages) {
        auto* page = new QWidget(tabs_);
        auto* layout = new QVBoxLayout(page);
        for (QGroupBox* box : boxes)
            layout->addWidget(box, 0, Qt::AlignLeft);
        layout->addStretch(1);
        tabs_->addTab(page, text(title));
    }

    auto* table = new QPushButton(text(kTextTable), this);
    connect(table, &QPushButton::clicked, this, [&context] { context.host.openForm(kEncodeDecodeCommand); });
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addWidget(wide_[2]);
    layout->addLayout(closeAndHelpRow({table}));

    refreshFromImage();
    grids_[0]->setCurrentCell(0, 1); // the first activation cell; the function is read-only
    grids_[0]->setFocus();
}

CRemoteView::~CRemoteView()
{
    for (CFieldGridModel* model : models_)
        disconnect(model, nullptr, this, nullptr);
    for (CFieldForm* form : wide_)
        disconnect(form, nullptr, this, nullptr);
}

CFormView* CRemoteView::create(FormContext& context, QWidget* parent)
{
    return new CRemoteView(context, parent);
}

QString CRemoteView::formTitle() const
{
    return text(kRemoteTitleText);
}

CChildFrame* CRemoteView::createFrame(const QList<QKeySequence>& frameKeys)
{
    return new CSpecialFrame(this, frameKeys);
}

void CRemoteView::refreshFromImage()
{
    // Showing never writes: the rows' rules were applied where the functions changed.
    for (CFieldGridModel* model : models_)
        model->refreshAll();
    for (CFieldForm* form : wide_)
        form->refresh();
}

} // namespace rps
