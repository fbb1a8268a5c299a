// The shell, the channel forms and the memory map viewers working together as a user meets
// them: Program menu viewers, the channel copy buffer across image replacements, the channel
// re-check of a model change, form buttons without a form, the start-up password field.
#include "ShellRig.h"

#include "app/CModelInfoDialog.h"
#include "app/QtDialogService.h"
#include "app/ShellCommands.h"
#include "forms/FormCatalog.h"
#include "forms/channel/CChEditView.h"
#include "forms/channel/ChannelClipboard.h"
#include "forms/channel/ChannelEditor.h"
#include "forms/channel/ChannelFormSupport.h"
#include "model/ByteOrder.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/ImageChecks.h"
#include "model/ModelBlock.h"
#include "service/CMemMapDialog.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

#include <gtest/gtest.h>

namespace rps::test {
namespace {

constexpr std::size_t kChecksumWord = 0x0256;

ChannelEditor editorOf(ConfigImage& image, uint16_t modelCode)
{
    return ChannelEditor(
        image, [](int) { return std::string(); }, FrequencyLimits::forModelCode(modelCode, false));
}

std::string middleOfBand(const FrequencyLimits& limits)
{
    return std::to_string(static_cast<int>((limits.lowerMHz + limits.upperMHz) / 2)) + ".0";
}

// A data file of a model with its channels given as receive frequencies (MHz text).
std::string saveChannelFile(const TempFolder& folder, uint16_t modelCode,
                            const std::vector<std::string>& channels, const std::string& name,
                            const std::function<void(ChannelStore&)>& adjust = {})
{
    ConfigImage image;
    image.clear();
    writeModelBlock(image.main(), ModelBlock::fromModelCode(modelCode));
    newImage(image, InstallationId{});
    ChannelEditor editor = editorOf(image, modelCode);
    for (std::size_t channel = 0; channel < channels.size(); ++channel)
        EXPECT_TRUE(editor.setFrequency(static_cast<int>(channel), false, channels[channel], true).changed);
    if (adjust)
        adjust(editor.store());
    const std::string path = folder.file(name);
    EXPECT_EQ(saveImage(path, image, SaveOptions{}).code, kSaveOk);
    return path;
}

std::vector<CMemMapDialog*> shownViewers()
{
    std::vector<CMemMapDialog*> viewers;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* viewer = qobject_cast<CMemMapDialog*>(widget); viewer && viewer->isVisible())
            viewers.push_back(viewer);
    }
    return viewers;
}

QString hexCell(CMemMapDialog& viewer, std::size_t offset)
{
    return viewer.model()->data(viewer.model()->hexIndex(offset), Qt::DisplayRole).toString();
}

TEST(ProgramMenuMemoryMap, MainViewerShowsTheRecomputedChecksumIsOpenedOnceAndRefreshesFormsAfterAnEdit)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    std::span<uint8_t> main = rig.image().main();

    // A checksum word left stale by edits since the last save.
    std::vector<uint8_t> expected(main.begin(), main.end());
    computeChecksum(expected);
    main[kChecksumWord] = static_cast<uint8_t>(expected[kChecksumWord] ^ 0x5A);
    main[kChecksumWord + 1] = static_cast<uint8_t>(expected[kChecksumWord + 1] ^ 0xA5);

    auto* form = static_cast<CountingForm*>(frame.openedForm(kTestFormA));
    ASSERT_NE(form, nullptr);
    const int refreshesBefore = form->refreshes;

    QAction* action = frame.commandAction(cmd::kMemoryMap);
    ASSERT_NE(action, nullptr);
    ASSERT_TRUE(action->isEnabled());
    EXPECT_EQ(action->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_M));

    CMemMapDialog* first = nullptr;
    CMemMapDialog* second = nullptr;
    std::size_t viewersWhileOpen = 0;
    QString checksumCells;
    QTimer::singleShot(0, [&] {
        first = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget());
        if (first == nullptr)
            return;
        checksumCells = hexCell(*first, kChecksumWord) + hexCell(*first, kChecksumWord + 1);
        // Asking again while it is shown must not stack a second viewer of the area. The
        // timers belong to the viewer, so none outlives it.
        QTimer::singleShot(0, first, [&] {
            auto* now = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget());
            if (now != nullptr && now != first) {
                second = now;
                now->reject();
            }
        });
        frame.runCommand(cmd::kMemoryMap);
        viewersWhileOpen = shownViewers().size();
        first->model()->setData(first->model()->hexIndex(0x2000), "3C", Qt::EditRole);
        QTimer::singleShot(0, first, [&] { first->accept(); });
    });
    action->trigger();

    ASSERT_NE(first, nullptr); // the viewer itself is gone now; only its address is compared
    EXPECT_EQ(second, nullptr) << "a second main-area viewer was opened";
    EXPECT_EQ(viewersWhileOpen, 1u);
    const QString wanted = QString("%1%2")
                               .arg(expected[kChecksumWord], 2, 16, QChar('0'))
                               .arg(expected[kChecksumWord + 1], 2, 16, QChar('0'))
                               .toUpper();
    EXPECT_EQ(checksumCells, wanted);
    EXPECT_EQ(main[kChecksumWord], expected[kChecksumWord]);
    EXPECT_EQ(main[kChecksumWord + 1], expected[kChecksumWord + 1]);
    EXPECT_EQ(main[0x2000], 0x3C);
    EXPECT_GT(form->refreshes, refreshesBefore);
    EXPECT_TRUE(rig.image().isModified());
}

TEST(ProgramMenuMemoryMap, EachAreaHasItsCaptionAndClosingAllWindowsClosesAViewer)
{
    ShellRig rig;
    // With the support-utility option the debugging library is looked for; without it the
    // viewers work all the same.
    ASSERT_TRUE(rig.start({"SupportUtility"}));
    ASSERT_TRUE(rig.app->options().supportUtility);
    CMainFrame& frame = rig.frame();
    const struct {
        int command;
        int caption;
    } areas[] = {{cmd::kMemoryMap, 603}, {cmd::kMemoryMapEeprom, 604}, {cmd::kMemoryMapTrace, 606}};
    EXPECT_EQ(frame.commandAction(cmd::kMemoryMapEeprom)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_E));
    for (const auto& area : areas) {
        SCOPED_TRACE(area.command);
        QString caption;
        bool shownAfterCloseAll = true;
        QTimer::singleShot(0, [&] {
            auto* viewer = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget());
            if (viewer == nullptr)
                return;
            caption = viewer->windowTitle();
            frame.runCommand(cmd::kCloseAllWindows);
            shownAfterCloseAll = viewer->isVisible();
            if (shownAfterCloseAll)
                viewer->reject();
        });
        ASSERT_TRUE(frame.commandAction(area.command)->isEnabled());
        frame.commandAction(area.command)->trigger();
        EXPECT_EQ(caption.toStdString(), rig.text(area.caption));
        EXPECT_FALSE(shownAfterCloseAll);
    }
}

TEST(ProgramMenuMemoryMap, AcceleratorsWorkFromInsideAFormAndAgainAfterAViewerClosed)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    CMainFrame& frame = rig.frame();
    ASSERT_TRUE(rig.showActive());
    CFormView* form = frame.openedForm(kTestFormA);
    ASSERT_NE(form, nullptr);
    form->setFocusPolicy(Qt::StrongFocus);
    form->setFocus();

    std::vector<QString> captions;
    for (Qt::Key key : {Qt::Key_M, Qt::Key_E}) {
        QTimer::singleShot(0, [&captions] {
            if (auto* viewer = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget())) {
                captions.push_back(viewer->windowTitle());
                QTest::keyClick(viewer, Qt::Key_Escape);
            }
        });
        QWidget* target = QApplication::focusWidget() != nullptr ? QApplication::focusWidget() : &frame;
        QTest::keyClick(target, key, Qt::ControlModifier);
        QApplication::processEvents();
    }
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_EQ(captions[0].toStdString(), rig.text(603));
    EXPECT_EQ(captions[1].toStdString(), rig.text(604));
}

TEST(ImageReplacement, OpenAndModelChangeEmptyTheChannelCopyBufferButACancelledOpenDoesNot)
{
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    const uint16_t model = readModelBlock(rig.image().main()).modelCode();
    const FrequencyLimits limits = FrequencyLimits::forModelCode(model, false);
    // Same model as the running image, so only the buffer's clearing can keep the copy out.
    const std::string path = saveChannelFile(rig.folder, model, {}, "same-model.dat");

    ChannelEditor editor = editorOf(rig.image(), model);
    ASSERT_TRUE(editor.setFrequency(0, false, middleOfBand(limits), true).changed);
    channelClipboard().copy(editor.store(), 0, 0);
    ASSERT_EQ(channelClipboard().size(), 1u);

    rig.dialogs.answers = {MessageAnswer::No}; // do not save the edited image
    rig.dialogs.openFiles = {std::nullopt};
    rig.trigger(cmd::kOpen);
    EXPECT_EQ(channelClipboard().size(), 1u) << "nothing was replaced";

    rig.dialogs.answers = {MessageAnswer::No};
    rig.dialogs.openFiles = {path};
    rig.trigger(cmd::kOpen);
    ASSERT_EQ(rig.app->document().fileName, "same-model.dat");
    EXPECT_TRUE(channelClipboard().isEmpty());
    ChannelStore store(rig.image());
    EXPECT_EQ(channelClipboard().paste(store, 4).written, 0);
    EXPECT_FALSE(store.isProgrammed(4));

    // A completed model change replaces the image too.
    channelClipboard().copy(store, 0, 1);
    ASSERT_FALSE(channelClipboard().isEmpty());
    whenModal<CModelInfoDialog>([](CModelInfoDialog& dialog) { dialog.accept(); });
    rig.trigger(cmd::kModelInformation);
    EXPECT_TRUE(channelClipboard().isEmpty());
}

// Chooses the model and band entry of a model code in the Model Information form.
bool chooseModel(CModelInfoDialog& dialog, uint16_t modelCode)
{
    for (int model = 0; model < dialog.modelList()->count(); ++model) {
        dialog.modelList()->setCurrentIndex(model);
        for (int band = 0; band < dialog.bandList()->count(); ++band) {
            dialog.bandList()->setCurrentIndex(band);
            if (dialog.chosenModelCode() == modelCode)
                return true;
        }
    }
    return false;
}

TEST(ModelChange, AnotherUhfBandRechecksTheChannelFrequenciesAgainstTheNewBand)
{
    constexpr uint16_t kUhf400 = 0x0700;
    constexpr uint16_t kUhf450 = 0x0600;
    ShellRig rig;
    ASSERT_TRUE(rig.start());
    // Channel 3 holds a frequency no entry could give (from an edited file): the re-check
    // brings it to the nearer edge of the band in force after the change.
    const std::string path = saveChannelFile(
        rig.folder, kUhf400, {"410.0", "460.0", "465.0"}, "site-400.dat",
        [](ChannelStore& store) { setU32(store.record(2), ChannelField::kRxFrequency, 600000000u); });
    rig.dialogs.openFiles = {path};
    rig.trigger(cmd::kOpen);
    ASSERT_EQ(readModelBlock(rig.image().main()).modelCode(), kUhf400);

    bool found = false;
    whenModal<CModelInfoDialog>([&found](CModelInfoDialog& dialog) {
        found = chooseModel(dialog, kUhf450);
        dialog.accept();
    });
    rig.dialogs.answers = {MessageAnswer::Ok}; // the question before a band change
    rig.trigger(cmd::kModelInformation);
    ASSERT_TRUE(found);
    ASSERT_EQ(readModelBlock(rig.image().main()).modelCode(), kUhf450);

    ChannelStore store(rig.image());
    ASSERT_EQ(store.programmedCount(), 3);
    // Outside the new band but a plausible UHF entry: kept, as when it is typed.
    EXPECT_EQ(getU32(store.record(0), ChannelField::kRxFrequency), 410000000u);
    EXPECT_EQ(getU32(store.record(1), ChannelField::kRxFrequency), 460000000u);
    EXPECT_EQ(getU32(store.record(2), ChannelField::kRxFrequency), 520000000u);
}

TEST(ChannelEditForm, CwIdButtonIsDisabledWhileItsFormIsNotBuilt)
{
    ShellRig rig;
    rig.formLookup = nullptr; // the application's own forms
    ASSERT_TRUE(rig.start());
    const uint16_t model = readModelBlock(rig.image().main()).modelCode();
    const FrequencyLimits limits = FrequencyLimits::forModelCode(model, false);
    ChannelEditor editor = editorOf(rig.image(), model);
    ASSERT_TRUE(editor.setFrequency(0, false, middleOfBand(limits), true).changed);
    ASSERT_TRUE(editor.setFrequency(0, true, middleOfBand(limits), true).changed);
    ASSERT_TRUE(editor.setFlag(0, kItemCwId, true).changed);

    CMainFrame& frame = rig.frame();
    frame.setCurrentChannel(0);
    frame.openForm(kChannelEditCommand);
    auto* view = qobject_cast<CChEditView*>(frame.openedForm(kChannelEditCommand));
    ASSERT_NE(view, nullptr);
    view->setChannel(0);
    view->refreshFromImage();

    auto* cwId = qobject_cast<QAbstractButton*>(view->control(kItemCwId));
    auto* button = qobject_cast<QPushButton*>(view->control(kItemCwIdButton));
    ASSERT_NE(cwId, nullptr);
    ASSERT_NE(button, nullptr);
    EXPECT_TRUE(cwId->isChecked()); // the channel's rule would enable the button
    EXPECT_EQ(button->isEnabled(), findForm(kCwIdCommand) != nullptr);
    if (findForm(kCwIdCommand) == nullptr) {
        const int windows = frame.openFormCount();
        button->click();
        EXPECT_EQ(frame.openFormCount(), windows);
    }
}

TEST(StartupPassword, FieldTakesOnlyDigitsUpToSix)
{
    QtDialogService dialogs;
    QString typed;
    whenModal<QDialog>([&typed](QDialog& dialog) {
        auto* field = dialog.findChild<QLineEdit*>("passwordField");
        if (field != nullptr) {
            QTest::keyClicks(field, "12a3-B45678");
            typed = field->text();
        }
        dialog.accept();
    });
    const std::optional<std::string> answer = dialogs.askDigitPassword("caption", "prompt", 6);
    EXPECT_EQ(typed, "123456");
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, "123456");
}

} // namespace
} // namespace rps::test
