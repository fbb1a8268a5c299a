#include "forms/feature/CFuncPortView.h"

#include "forms/common/CFieldForm.h"
#include "forms/common/CFieldGridModel.h"
#include "forms/common/CGridView.h"
#include "forms/common/FormSupport.h"
#include "forms/feature/FunctionFields.h"
#include "forms/feature/PortFields.h"

#include <QGroupBox>
#include <QTabWidget>
#include <QVBoxLayout>

namespace rps {

using namespace feature;

namespace {

constexpr int kTextInput = 1066;
constexpr int kTextOutput = 1067;

const fields::FieldRow& portField(int item)
{
    return *fields::findRow(kPortFields, item);
}

std::vector<FieldColumn> columnsOf(std::initializer_list<std::pair<int, int>> itemsAndWidths)
{
    std::vector<FieldColumn> columns;
    for (const auto& [item, width] : itemsAndWidths) {
        const fields::FieldRow& row = portField(item);
        columns.push_back({&row, row.text, width, CellAlign::Left});
    }
    return columns;
}

} // namespace

CFuncPortView::CFuncPortView(FormContext& context, QWidget* parent) : CFormView(context, kCommand, parent)
{
    const std::pair<PortRows, std::vector<FieldColumn>> grids[] = {
        {PortRows::Modes, columnsOf({{kPortItemMode, 260}})},
        {PortRows::Inputs,
         columnsOf({{kPortItemInput1, 185}, {kPortItemInput1 + 1, 185}, {kPortItemInput1 + 2, 185}})},
        {PortRows::Outputs, columnsOf({{kPortItemOutput, 185}, {kPortItemOutputLevel, 185}})},
    };
    const int labelWidths[] = {150, 110, 110};
    const int visibleRows[] = {6, 6, 11};
    const int mostRows[] = {6, 9, 11}; // fixed rows and every port
    for (std::size_t g = 0; g < 3; ++g) {
        const PortRows rows = grids[g].first;
        auto* model = new CFieldGridModel(
            [&context, rows] { return openPortFields(context.image, formFieldEnv(context), rows); },
            grids[g].second, [&context](int n) { return context.texts.text(n); },
            context.host.decimalSeparator(), this);
        model->setRowLabels(
            // The context outlives the view: its models may still ask for labels while the view
            // is being taken down.
            [&context, rows](int row) {
                const PortRecords records(context.image.main(), rows);
                const PortRecords::Entry* entry = records.entry(row);
                return entry ? QString::fromStdString(context.texts.text(portRowLabelText(*entry)))
                             : QString();
            },
            labelWidths[g]);
        // A port of the mode-3 group shows its mode on grey; a slot or level that does not apply
        // shows nothing.
        model->setHideDisabledText(rows != PortRows::Modes);
        model->setUnlistedText(kTextNotOffered);
        model->reload();
        // Port modes decide the grids' rows and the functions offered elsewhere; inputs and
        // outputs carry remote-control entries: every open form re-reads after a change.
        connect(model, &CFieldGridModel::edited, this, &CFuncPortView::showStoredChange);
        models_[g] = model;
        grids_[g] = addGrid(model, visibleRows[g], mostRows[g]);
    }

    // The inputs' active level: one list of its own beside the input grid.
    level_ = new CFieldForm(
        std::span(&portField(kPortItemInputLevel), 1),
        [&context] { return openPortFields(context.image, formFieldEnv(context), PortRows::Level); },
        [this](int n) { return text(n); }, context.host.decimalSeparator(), this);
    connect(level_, &CFieldForm::edited, this,
            [this](int, const fields::EditResult& result) { showStoredChange(result); });

    auto* modes = new QGroupBox(text(kFunctionPortTitleText), this);
    (new QVBoxLayout(modes))->addWidget(grids_[0]);
    auto* inputs = new QGroupBox(text(kTextInput), this);
    auto* inputLayout = new QVBoxLayout(inputs);
    inputLayout->addWidget(grids_[1]);
    inputLayout->addWidget(level_);
    auto* outputs = new QGroupBox(text(kTextOutput), this);
    (new QVBoxLayout(outputs))->addWidget(grids_[2]);

    // Two pages keep the form within a work area beside the tree: the ports with the inputs
    // they feed, then the outputs.
    tabs_ = new QTabWidget(this);
    auto* portPage = new QWidget(tabs_);
    auto* portLayout = new QVBoxLayout(portPage);
    portLayout->addWidget(modes, 0, Qt::AlignLeft);
    portLayout->addWidget(inputs, 0, Qt::AlignLeft);
    portLayout->addStretch(1);
    auto* outputPage = new QWidget(tabs_);
    auto* outputLayout = new QVBoxLayout(outputPage);
    outputLayout->addWidget(outputs, 0, Qt::AlignLeft);
    outputLayout->addStretch(1);
    tabs_->addTab(portPage, text(kFunctionPortTitleText));
    tabs_->addTab(outputPage, text(kTextOutput));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs_, 1);
    layout->addLayout(closeAndHelpRow());

    refreshFromImage();
    grids_[0]->setCurrentCell(0, 0);
    grids_[0]->setFocus();
}

CFuncPortView::~CFuncPortView()
{
    for (CFieldGridModel* model : models_)
        disconnect(model, nullptr, this, nullptr);
    disconnect(level_, nullptr, this, nullptr);
}

CGridView* CFuncPortView::addGrid(CFieldGridModel* model, int visibleRows, int mostRows)
{
    auto* grid = new CGridView(this);
    grid->setGridModel(model);
    grid->setMenuTexts(gridMenuTexts(context().texts));
    grid->fitRows(visibleRows, mostRows);
    return grid;
}

CFormView* CFuncPortView::create(FormContext& context, QWidget* parent)
{
    return new CFuncPortView(context, parent);
}

QString CFuncPortView::formTitle() const
{
    return text(kFunctionPortTitleText);
}

void CFuncPortView::refreshFromImage()
{
    for (CFieldGridModel* model : models_)
        model->refreshAll();
    level_->refresh();
}

} // namespace rps
