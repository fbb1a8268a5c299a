// Compare... and the write dialog's "what will change": the sides of a comparison as the shell
// has them (the working image, a data file, the repeater, the read the working image came from).
#include "app/CCompareDialog.h"
#include "app/CTransferDialog.h"
#include "app/ShellController.h"
#include "link/Transfers.h"
#include "model/ImageChecks.h"
#include "texts/CommonTexts.h"

#include <filesystem>

namespace rps {

fields::FieldEnv ShellController::fieldEnv(const FrequencyLimits& limits) const
{
    const LanguageTable& texts = parts_.texts;
    return {[&texts](int n) { return texts.text(n); }, limits, parts_.decimalSeparator};
}

std::optional<CompareSide> ShellController::workingSide()
{
    return CompareSide{std::make_unique<ImageAreas>(parts_.image.working()), fieldEnv(parts_.limits),
                       parts_.texts.text(kWorkingImageText)};
}

std::optional<CompareSide> ShellController::fileSide()
{
    DocumentSession document = session();
    std::optional<LoadedImage> loaded = loadImageApart(document);
    if (!loaded)
        return std::nullopt;
    return CompareSide{std::make_unique<ImageAreas>(loaded->image->working()), fieldEnv(loaded->limits),
                       std::filesystem::path(loaded->path).filename().string()};
}

// The repeater read as Read Data from Radio reads it, into a scratch image: the working image,
// its clean state and the open forms stay as they are. The side is the bytes the repeater holds,
// before the repairs an accepted image gets (a write would change those too).
std::optional<CompareSide> ShellController::repeaterSide()
{
    auto scratch = std::make_unique<ConfigImage>();
    auto inform = [this](int text, int caption) { showText(text, caption, MessageIcon::Information); };
    CReadDialog dialog(
        parts_.texts,
        [this, &scratch](const CTransferDialog::ProgressFn& progress) {
            return readTransfer(progress, *scratch);
        },
        inform, frameWidget());
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    // Every read is backed up, this one too.
    backUpRead(*scratch);
    FrequencyLimits limits;
    const ImageCheck check =
        acceptStagedImage(*scratch, ImageSource::Repeater, parts_.installationId, limits);
    if (!check.accepted) {
        showText(check.messageText, texts::kErrorCaption, MessageIcon::Error);
        return std::nullopt;
    }
    return CompareSide{std::make_unique<ImageAreas>(scratch->snapshot()), fieldEnv(limits),
                       parts_.texts.text(kRepeaterSideText)};
}

void ShellController::commandCompare()
{
    CompareSources sources{[this] { return workingSide(); }, [this] { return fileSide(); },
                           [this] { return repeaterSide(); }};
    CCompareDialog dialog(parts_.texts, std::move(sources), frameWidget());
    dialog.exec();
}

// The working image stamped as the write stamps it, against the read it came from.
ImageComparison ShellController::writePreview() const
{
    const ImageAreas* origin = readOrigin_.image();
    if (origin == nullptr)
        return {};
    auto sent = std::make_unique<ImageAreas>(parts_.image.working());
    stampVersion(sent->main, parts_.installationId);
    computeChecksum(sent->main);
    const fields::FieldEnv env = fieldEnv(parts_.limits);
    return compareImages({*origin, env}, {*sent, env});
}

} // namespace rps
