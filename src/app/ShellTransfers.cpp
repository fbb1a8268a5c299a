// Read Data from Radio and Write Data to Radio: the progress dialogs around the transfers and
// the replacement of the image after a completed read.
#include "app/CMainFrame.h"
#include "app/CTransferDialog.h"
#include "app/ShellController.h"
#include "link/Transfers.h"
#include "link/WriteProblems.h"
#include "service/CTuningDataDialog.h"
#include "service/DemoRepeater.h"
#include "texts/CommonTexts.h"

#include <QApplication>

namespace rps {

namespace {
using texts::kErrorCaption;
} // namespace

int ShellController::readTransfer(const std::function<void(int, int)>& progress)
{
    TransferContext context{
        parts_.link,           parts_.dialogs, parts_.texts, progress, [] { QApplication::processEvents(); },
        parts_.installationId, nullptr};
    return runReadTransfer(context, parts_.image);
}

int ShellController::writeTransfer(const std::function<void(int, int)>& progress, bool setClock)
{
    TransferContext context{
        parts_.link,           parts_.dialogs, parts_.texts, progress, [] { QApplication::processEvents(); },
        parts_.installationId, nullptr};
    WriteOptions options;
    options.setClock = setClock;
    return runWriteTransfer(context, parts_.image, options);
}

void ShellController::commandRead()
{
    DocumentSession document = session();
    if (askSaveIfModified(document) == FlowDecision::Abort)
        return;
    auto inform = [this](int text, int caption) { showText(text, caption, MessageIcon::Information); };
    CReadDialog dialog(
        parts_.texts, [this](const CTransferDialog::ProgressFn& progress) { return readTransfer(progress); },
        inform, frameWidget());
    if (dialog.exec() != QDialog::Accepted)
        return; // the working image, its clean state and the open forms are untouched
    if (frame_ != nullptr)
        frame_->closeAllForms();
    const ImageCheck check =
        acceptStagedImage(parts_.image, ImageSource::Repeater, parts_.installationId, parts_.limits);
    parts_.document.resetName();
    if (!check.accepted)
        showText(check.messageText, kErrorCaption, MessageIcon::Error);
    imageReplaced();
}

void ShellController::commandWrite()
{
    const std::vector<int> problems = findWriteProblems(parts_.image.main(), parts_.image.aux());
    if (!problems.empty()) {
        MessageRequest request;
        request.text = writeProblemsText(problems, parts_.texts);
        request.caption = parts_.texts.text(kErrorCaption);
        request.icon = MessageIcon::Error;
        parts_.dialogs.showMessage(request);
        return;
    }
    auto inform = [this](int text, int caption) { showText(text, caption, MessageIcon::Information); };
    CWriteDialog* current = nullptr;
    CWriteDialog dialog(
        parts_.texts, setClock_,
        [this, &current](const CTransferDialog::ProgressFn& progress) {
            return writeTransfer(progress, current != nullptr && current->setClock());
        },
        inform, frameWidget());
    current = &dialog;
    dialog.exec();
    setClock_ = dialog.setClock();
}

// The tuning block is independent of the configuration image: the dialog owns its block. In
// demonstration mode it reads and writes the simulated repeater's block.
void ShellController::commandTuningData()
{
    const std::unique_ptr<DemoRepeater> demo = demoRepeater();
    CTuningDataDialog dialog(
        {parts_.texts, parts_.dialogs, serviceLink(demo), parts_.document.folder, parts_.decimalSeparator},
        frameWidget());
    dialog.exec();
}

} // namespace rps
