#include "print/CPrintSelectionDialog.h"

#include "forms/FieldForms.h"
#include "forms/common/HelpRequest.h"
#include "print/ReportPages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QVBoxLayout>

namespace rps::print {

namespace {

constexpr int kCaptionText = 157;
constexpr int kSetupText = 37;
constexpr int kPreviewText = 64;
constexpr int kClearAllText = 39;
constexpr int kSelectAllText = 40;
constexpr int kOkText = 26;
constexpr int kCancelText = 27;
constexpr int kHelpText = 29;

// The caption of an item: the title of the form it prints, or a text of its own.
int captionOf(const ItemName& item)
{
    if (item.flag == kModel)
        return kModelText;
    if (item.flag == kProduct)
        return kProductTitleText;
    const DeclaredForm* form = findDeclaredForm(item.name);
    return form ? form->titleText : 0;
}

QSpinBox* channelSpin(QWidget* parent, const char* name)
{
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(QString::fromLatin1(name));
    // Two digits are typed; the selection clamps them to the channels.
    spin->setRange(0, 99);
    spin->setKeyboardTracking(false); // a typed number counts when it is entered
    spin->setMaximumWidth(60);
    return spin;
}

} // namespace

CPrintSelectionDialog::CPrintSelectionDialog(const LanguageTable& texts,
                                             std::function<int(const PrintSelection&)> countPages,
                                             std::function<void(QWidget*)> printSetup, QWidget* parent)
    : QDialog(parent), texts_(texts), countPages_(std::move(countPages)), printSetup_(std::move(printSetup))
{
    setWindowTitle(text(kCaptionText));
    build();
    showSelection();
}

QString CPrintSelectionDialog::text(int number) const
{
    return QString::fromStdString(texts_.text(number));
}

void CPrintSelectionDialog::build()
{
    auto* header = new QGroupBox(text(kHeaderText), this);
    auto* headerRows = new QVBoxLayout(header);
    auto* sections = new QGridLayout;
    int placed = 0;
    for (const ItemName& item : itemNames()) {
        if (item.flag == kChannels || item.flag == kCwId)
            continue;
        auto* box = new QCheckBox(text(captionOf(item)), this);
        box->setObjectName(QString::fromLatin1(item.name.data(), static_cast<int>(item.name.size())));
        boxes_[item.flag] = box;
        if (item.flag & kHeaderFlags) {
            headerRows->addWidget(box);
        } else {
            sections->addWidget(box, placed % 7, placed / 7);
            ++placed;
        }
    }
    auto* channels = new QCheckBox(text(kChannelInfoTitleText), this);
    channels->setObjectName(QStringLiteral("channel"));
    boxes_[kChannels] = channels;
    auto* cwId = new QCheckBox(text(kCwIdTitleText), this);
    cwId->setObjectName(QStringLiteral("cwid"));
    boxes_[kCwId] = cwId;
    start_ = channelSpin(this, "startChannel");
    end_ = channelSpin(this, "endChannel");
    auto* range = new QHBoxLayout;
    range->addWidget(channels);
    range->addWidget(new QLabel(text(kStartChannelText), this));
    range->addWidget(start_);
    range->addWidget(new QLabel(QStringLiteral("-"), this));
    range->addWidget(new QLabel(text(kEndChannelText), this));
    range->addWidget(end_);
    range->addWidget(cwId);
    range->addStretch();

    total_ = new QLabel(this);
    total_->setObjectName(QStringLiteral("totalPages"));
    const auto makeButton = [this](int number, const char* name) {
        auto* button = new QPushButton(text(number), this);
        button->setObjectName(QString::fromLatin1(name));
        button->setAutoDefault(false);
        return button;
    };
    setup_ = makeButton(kSetupText, "printSetup");
    preview_ = makeButton(kPreviewText, "printPreview");
    clearAll_ = makeButton(kClearAllText, "clearAll");
    selectAll_ = makeButton(kSelectAllText, "selectAll");
    ok_ = makeButton(kOkText, "ok");
    ok_->setDefault(true);
    auto* cancel = makeButton(kCancelText, "cancel");
    help_ = makeButton(kHelpText, "help");
    connectHelpButton(help_);
    setHelpContext(this, kPrintHelpContext);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {ok_, cancel, preview_, setup_, selectAll_, clearAll_, help_})
        buttons->addWidget(button);
    buttons->addStretch();

    auto* left = new QVBoxLayout;
    left->addWidget(header);
    left->addLayout(sections);
    left->addLayout(range);
    left->addWidget(total_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);

    for (const auto& [flag, box] : boxes_) {
        connect(box, &QCheckBox::clicked, this, [this, flag = flag](bool on) {
            selection_.set(flag, on);
            showSelection();
        });
    }
    connect(start_, &QSpinBox::valueChanged, this, [this](int value) {
        selection_.setStart(value);
        showSelection();
    });
    connect(end_, &QSpinBox::valueChanged, this, [this](int value) {
        selection_.setEnd(value);
        showSelection();
    });
    connect(selectAll_, &QPushButton::clicked, this, [this] {
        selection_.selectAll();
        showSelection();
    });
    connect(clearAll_, &QPushButton::clicked, this, [this] {
        selection_.clearAll();
        showSelection();
    });
    connect(setup_, &QPushButton::clicked, this, [this] {
        if (printSetup_)
            printSetup_(this);
        showSelection();
    });
    connect(ok_, &QPushButton::clicked, this, [this] { finish(Choice::Print); });
    connect(preview_, &QPushButton::clicked, this, [this] { finish(Choice::Preview); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void CPrintSelectionDialog::showSelection()
{
    for (const auto& [flag, box] : boxes_) {
        const QSignalBlocker blocker(box);
        box->setChecked(selection_.isOn(flag));
    }
    const bool channels = selection_.isOn(kChannels);
    for (QWidget* widget : {static_cast<QWidget*>(start_), static_cast<QWidget*>(end_),
                            static_cast<QWidget*>(boxes_.at(kCwId))})
        widget->setEnabled(channels);
    {
        const QSignalBlocker startBlocker(start_);
        const QSignalBlocker endBlocker(end_);
        start_->setValue(selection_.start());
        end_->setValue(selection_.end());
    }
    const bool any = selection_.anyChecked();
    ok_->setEnabled(any);
    preview_->setEnabled(any);
    const int pages = countPages_ ? countPages_(selection_) : 0;
    total_->setText(text(kTotalPagesText) + QStringLiteral("  %1").arg(pages));
}

void CPrintSelectionDialog::finish(Choice choice)
{
    choice_ = choice;
    accept();
}

} // namespace rps::print
