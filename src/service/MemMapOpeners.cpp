#include "service/MemMapOpeners.h"

#include "model/ImageChecks.h"
#include "model/records/ChannelStore.h"
#include "service/CMemMapDialog.h"
#include "texts/CommonTexts.h"

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <array>
#include <vector>

namespace rps {

namespace {

constexpr int kMainCaption = 603;
constexpr int kEepromCaption = 604;
constexpr int kCharactersLabel = 605;
constexpr int kTraceCaption = 606;
constexpr int kChannelText = 868;
using texts::kErrorCaption;
constexpr std::size_t kTraceBaseAddress = 0xF800;

QString languageText(const FormContext& context, int number)
{
    return QString::fromStdString(context.texts.text(number));
}

// The line each area's viewer showed when it was last closed.
std::array<int, 3>& lastLines()
{
    static std::array<int, 3> lines{};
    return lines;
}

// Every viewer being shown: the area viewers and the channel-record viewers.
std::vector<QPointer<CMemMapDialog>>& shownViewers()
{
    static std::vector<QPointer<CMemMapDialog>> viewers;
    return viewers;
}

// The shown viewer of an area, if any.
std::array<QPointer<CMemMapDialog>, 3>& areaViewers()
{
    static std::array<QPointer<CMemMapDialog>, 3> viewers;
    return viewers;
}

bool runViewer(FormContext& context, MemMapSource source, const MemMapDialogSetup& setup, QWidget* parent,
               std::optional<std::size_t> address, int* lastLine, QPointer<CMemMapDialog>* slot)
{
    // A window whose bytes have gone (its channel was deleted) closes itself.
    CMemMapDialog* shown = nullptr;
    MemMapSource watched = [source = std::move(source), &shown]() {
        auto window = source();
        if (!window && shown)
            QTimer::singleShot(0, shown, &QDialog::reject);
        return window;
    };
    CMemMapDialog dialog(std::move(watched), context.image.main(), setup, parent);
    shown = &dialog;
    QObject::connect(&dialog, &CMemMapDialog::writeRefused, &dialog, [&context](int textNumber) {
        MessageRequest request;
        request.text = context.texts.text(textNumber);
        request.caption = context.texts.text(kErrorCaption);
        request.icon = MessageIcon::Error;
        context.dialogs.showMessage(request);
    });
    if (address)
        dialog.goToAddress(*address);
    if (slot)
        *slot = &dialog;
    shownViewers().emplace_back(&dialog);
    dialog.exec();
    std::erase_if(shownViewers(), [&dialog](const QPointer<CMemMapDialog>& viewer) {
        return viewer.isNull() || viewer == &dialog;
    });
    shown = nullptr;
    // The window the viewer was opened from takes the keyboard back, so its accelerators
    // work at once, also where no window manager hands the activation back.
    if (parent != nullptr && parent->isVisible())
        parent->window()->activateWindow();
    if (lastLine)
        *lastLine = dialog.firstVisibleLine();
    const bool changed = dialog.model()->changed();
    if (changed)
        context.host.refreshAllForms();
    return changed;
}

} // namespace

bool openMemoryMap(FormContext& context, MemMapArea area, QWidget* parent, std::optional<std::size_t> address)
{
    QPointer<CMemMapDialog>& open = areaViewers()[static_cast<std::size_t>(area)];
    if (!open.isNull() && open->isVisible()) {
        if (area == MemMapArea::Main)
            computeChecksum(context.image.main());
        CMemMapModel* model = open->model();
        emit model->dataChanged(model->index(0, 0),
                                model->index(model->rowCount() - 1, model->columnCount() - 1));
        if (address)
            open->goToAddress(*address);
        open->raise();
        open->activateWindow();
        return false;
    }
    MemMapDialogSetup setup;
    setup.charactersLabel = languageText(context, kCharactersLabel);
    setup.closeLabel = languageText(context, texts::kCloseText);
    ConfigImage& image = context.image;
    MemMapSource source;
    switch (area) {
    case MemMapArea::Main:
        computeChecksum(image.main());
        setup.caption = languageText(context, kMainCaption);
        source = [&image] { return std::optional<MemMapWindow>({image.main(), 0, 0, true}); };
        break;
    case MemMapArea::Eeprom:
        setup.caption = languageText(context, kEepromCaption);
        source = [&image] { return std::optional<MemMapWindow>({image.aux(), 0, 0, false}); };
        break;
    case MemMapArea::TraceData:
        setup.caption = languageText(context, kTraceCaption);
        setup.charactersOffered = false;
        source = [&image] {
            return std::optional<MemMapWindow>({image.local(), kTraceBaseAddress, 0, false});
        };
        break;
    }
    int& lastLine = lastLines()[static_cast<std::size_t>(area)];
    setup.firstLine = lastLine;
    const bool changed = runViewer(context, std::move(source), setup, parent, address, &lastLine, &open);
    open = nullptr;
    return changed;
}

bool openChannelRecordViewer(FormContext& context, int channel, QWidget* parent)
{
    ConfigImage& image = context.image;
    if (!ChannelStore(image).isProgrammed(channel))
        return false;
    MemMapDialogSetup setup;
    setup.caption = QStringLiteral("%1 ([ %2 - %3 ])")
                        .arg(languageText(context, kMainCaption), languageText(context, kChannelText))
                        .arg(channel + 1);
    setup.charactersLabel = languageText(context, kCharactersLabel);
    setup.closeLabel = languageText(context, texts::kCloseText);
    // The record is looked up on every access: records move when channels are created or
    // deleted, and the window goes when its channel does.
    MemMapSource source = [&image, channel]() -> std::optional<MemMapWindow> {
        ChannelStore store(image);
        const auto offset = store.recordOffset(channel);
        if (!offset)
            return std::nullopt;
        return MemMapWindow{store.record(channel), *offset, *offset, true};
    };
    return runViewer(context, std::move(source), setup, parent, std::nullopt, nullptr, nullptr);
}

void closeMemoryMaps()
{
    for (const QPointer<CMemMapDialog>& viewer : shownViewers()) {
        if (!viewer.isNull())
            viewer->reject();
    }
}

} // namespace rps
