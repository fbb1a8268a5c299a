#include "service/CServiceToolDialogs.h"

#include "forms/common/HelpRequest.h"
#include "print/ReportPainter.h"
#include "print/ReportPrinting.h"
#include "print/ServicePages.h"
#include "service/ToolTexts.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace rps {

namespace {

constexpr int kHardwareVersionCaption = 594;
constexpr int kRadioInformationCaption = 612;
constexpr int kCloseText = 28;

QLabel* lineField(QWidget* parent, const std::string& text, const char* name)
{
    auto* field = new QLabel(QString::fromStdString(text), parent);
    field->setObjectName(name);
    field->setTextFormat(Qt::PlainText);
    field->setTextInteractionFlags(Qt::TextSelectableByMouse);
    field->setFrameShape(QFrame::StyledPanel);
    field->setFrameShadow(QFrame::Sunken);
    field->setMinimumWidth(220);
    return field;
}

QPushButton* button(QWidget* parent, const QString& text, const char* name)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    return b;
}

QVBoxLayout* frame(QDialog* dialog, QFormLayout* form, std::initializer_list<QPushButton*> buttons)
{
    auto* row = new QHBoxLayout;
    row->addStretch(1);
    for (QPushButton* b : buttons)
        row->addWidget(b);
    auto* layout = new QVBoxLayout(dialog);
    layout->addLayout(form);
    layout->addLayout(row);
    return layout;
}

} // namespace

CHardwareVersionDialog::CHardwareVersionDialog(const LanguageTable& texts, const HardwareVersions& versions,
                                               QWidget* parent)
    : QDialog(parent)
{
    setHelpContext(this, 327680);
    setObjectName("hardwareVersionDialog");
    setWindowTitle(toolText(texts, kHardwareVersionCaption, "Hardware Version"));
    auto* form = new QFormLayout;
    form->addRow("TX/RX Unit", lineField(this, versions.txRxUnit, "txRxUnit"));
    form->addRow("Final Unit", lineField(this, versions.finalUnit, "finalUnit"));
    form->addRow("Control Unit", lineField(this, versions.controlUnit, "controlUnit"));
    QPushButton* close = button(this, toolText(texts, kCloseText, "Close"), "closeButton");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    frame(this, form, {close});
}

CRadioInfoDialog::CRadioInfoDialog(const LanguageTable& texts, const RadioInformationLines& lines,
                                   QWidget* parent)
    : QDialog(parent)
{
    setHelpContext(this, 86272);
    setObjectName("radioInfoDialog");
    setWindowTitle(toolText(texts, kRadioInformationCaption, "Radio Information"));
    auto* form = new QFormLayout;
    form->addRow("Model Name and Market Code", lineField(this, lines.model, "modelLine"));
    form->addRow("Frequency", lineField(this, lines.frequency, "frequencyLine"));
    form->addRow("Serial Number", lineField(this, lines.serialNumber, "serialLine"));
    form->addRow("NXDN ESN", lineField(this, lines.esn, "esnLine"));
    form->addRow("Firmware Version", lineField(this, lines.firmware, "firmwareLine"));
    form->addRow("Checksum", lineField(this, lines.checksum, "checksumLine"));
    form->addRow("Option Settings", lineField(this, lines.options, "optionsLine"));
    QPushButton* close = button(this, toolText(texts, kCloseText, "Close"), "closeButton");
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    QPushButton* help = button(this, toolText(texts, 29, "Help"), "helpButton");
    connectHelpButton(help);
    print_ = button(this, "Print", "printButton");
    connect(print_, &QPushButton::clicked, this, [this, &texts, lines] {
        const print::Lines printed{
            {"Model Name and Market Code", lines.model}, {"Frequency", lines.frequency},
            {"Serial Number", lines.serialNumber},       {"NXDN ESN", lines.esn},
            {"Firmware Version", lines.firmware},        {"Checksum", lines.checksum},
            {"Option Settings", lines.options}};
        const auto text = [&texts](int number) { return texts.text(number); };
        print::printWithDialog(this, print::plainFrame(text), {print::radioInformationPage(text, printed)});
    });
    frame(this, form, {close, help, print_});
}

void openHardwareVersion(TransferContext& context, QWidget* parent)
{
    HardwareVersions versions;
    if (readHardwareVersions(context, versions) != kLinkOk)
        return;
    CHardwareVersionDialog dialog(context.texts, versions, parent);
    dialog.exec();
}

void openRadioInformation(TransferContext& context, QWidget* parent)
{
    RadioInformation information;
    if (readRadioInformation(context, information) != kLinkOk)
        return;
    CRadioInfoDialog dialog(context.texts, radioInformationLines(information), parent);
    dialog.exec();
}

} // namespace rps
