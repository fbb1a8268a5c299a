// Screenshot tour: starts the application on the simulated repeater with in-memory settings
// and saves a PNG of the main window and of every shell dialog into the given folder.
#include "PictureShell.h"
#include "app/CAboutDialog.h"
#include "app/CBackupsDialog.h"
#include "app/CLanguageDialog.h"
#include "app/CModelInfoDialog.h"
#include "app/CPortDialog.h"
#include "app/CSecurityDialog.h"
#include "app/CSplashWindow.h"
#include "app/CTransferDialog.h"
#include "app/LanguageChoice.h"
#include "app/ShellCommands.h"
#include "document/Backups.h"
#include "forms/common/CFormView.h"
#include "forms/common/FormCommands.h"
#include "model/DataFile.h"
#include "model/DefaultBuilder.h"
#include "model/ImageMap.h"
#include "model/ModelBlock.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <cstring>
#include <iostream>

namespace {

QString outputFolder;

void settle()
{
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
}

void save(QWidget& widget, const char* name)
{
    settle();
    const QString path = QDir(outputFolder).filePath(QString(name) + ".png");
    if (!widget.grab().save(path))
        std::cerr << "cannot write " << path.toStdString() << '\n';
    else
        std::cout << path.toStdString() << '\n';
}

void showAndSave(QWidget& widget, const char* name)
{
    widget.show();
    save(widget, name);
    widget.close();
}

// Grabs the next modal window (file dialog, message box, password prompt), then dismisses it.
void saveNextModal(const char* name, std::function<void(QWidget&)> prepare = {})
{
    QTimer::singleShot(300, [name, prepare] {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr)
            return;
        if (prepare) {
            prepare(*modal);
            QElapsedTimer wait;
            wait.start();
            while (wait.elapsed() < 800)
                QApplication::processEvents();
            prepare(*modal);
        }
        save(*modal, name);
        if (auto* dialog = qobject_cast<QDialog*>(modal))
            dialog->reject();
        else
            modal->close();
    });
}

// What the X server shows of the main window (child windows overlapping as they are drawn
// on the screen, which a widget's own rendering does not show).
void saveScreen(rps::CMainFrame& frame, const char* name)
{
    settle();
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < 300)
        QApplication::processEvents();
    const QString path = QDir(outputFolder).filePath(QString(name) + ".png");
    const QRect area = frame.frameGeometry();
    if (!frame.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).save(path))
        std::cerr << "cannot write " << path.toStdString() << '\n';
    else
        std::cout << path.toStdString() << '\n';
}

// Two older backups of another unit, each with its embedded message, for the backups list.
void addSampleBackups()
{
    const char* messages[][2] = {{"HILLTOP SITE 12", "Service: 0171 555 0142"},
                                 {"HILLTOP SITE 12", "Before the new CWID"}};
    for (int i = 0; i < 2; ++i) {
        auto image = std::make_unique<rps::ConfigImage>();
        image->clear();
        rps::writeModelBlock(image->main(), rps::ModelBlock::fromModelCode(0x0400));
        rps::newImage(*image, rps::InstallationId{});
        for (int line = 0; line < 2; ++line) {
            const std::string text = messages[i][line];
            std::fill_n(image->main().begin() + rps::kEmbeddedMessageOffset + 32 * line, 32, ' ');
            std::copy(text.begin(), text.end(),
                      image->main().begin() + rps::kEmbeddedMessageOffset + 32 * line);
        }
        rps::backup::saveBackup(rps::backup::backupsRoot(), "QLM-640-SN0000358810", image->working(),
                                rps::SaveOptions{}, rps::backup::localNow() - (i + 1) * 6 * 86400 - i * 5000,
                                rps::backup::Policy{});
    }
}

// Channel Edit over the channel grid after the edits that repaint parts of it, then the
// beat shift options beside them.
void channelFormsTour(rps::CMainFrame& frame, const char* name)
{
    frame.openForm(rps::kChannelInformationCommand);
    frame.openForm(rps::kChannelEditCommand);
    settle();
    if (rps::CFormView* edit = frame.openedForm(rps::kChannelEditCommand)) {
        QWidget* focus = edit->focusWidget() != nullptr ? edit->focusWidget() : edit;
        QTest::keyClick(focus, Qt::Key_PageDown);
        QTest::keyClick(focus, Qt::Key_PageUp);
        settle();
        // Beat Shift ticked and unticked again: the form redraws the parts it enables.
        for (QAbstractButton* box : edit->findChildren<QAbstractButton*>()) {
            if (box->isCheckable() &&
                box->text().remove('&') == QString::fromStdString(frame.formContext().texts.text(906))) {
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
                settle();
                saveScreen(frame, (std::string(name) + "-ticked").c_str());
                QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            }
        }
    }
    saveScreen(frame, name);
    frame.openForm(rps::kBeatShiftCommand);
    saveScreen(frame, (std::string(name) + "-beat-shift").c_str());
    frame.closeForm(rps::kBeatShiftCommand);
}

// The feature forms over each other in the main window, the optional features on the page
// of its event grids, and the function port on top with a cell editor open.
void featureFormsTour(rps::CMainFrame& frame, const char* name)
{
    frame.closeAllForms();
    for (int command :
         {rps::kOptionalFeaturesCommand, rps::kKeyAssignmentCommand, rps::kScanInformationCommand,
          rps::kAdvancedSettingsCommand, rps::kOptionalFeaturesCommand})
        frame.openForm(command);
    settle();
    saveScreen(frame, (std::string(name) + "-general").c_str());
    if (rps::CFormView* features = frame.openedForm(rps::kOptionalFeaturesCommand)) {
        if (auto* tabs = features->findChild<QTabWidget*>())
            tabs->setCurrentIndex(3);
    }
    saveScreen(frame, name);
    frame.openForm(rps::kFunctionPortCommand);
    settle();
    saveScreen(frame, (std::string(name) + "-port").c_str());
}

// The tour's own answer to the Open question, the real dialogs for everything else.
std::string sampleDataFile(const QString& folder)
{
    rps::ConfigImage image;
    image.clear();
    rps::writeModelBlock(image.main(), rps::ModelBlock::fromModelCode(0x0700));
    rps::newImage(image, rps::InstallationId{});
    const char line1[] = "HILLTOP SITE 7 - COUNTY FIRE";
    const char line2[] = "SERVICE 555-0100  INSTALLED 2026";
    std::memcpy(image.main().data() + rps::kEmbeddedMessageOffset, line1, sizeof line1 - 1);
    std::memcpy(image.main().data() + rps::kEmbeddedMessageOffset + 32, line2, sizeof line2 - 1);
    const std::string path = QDir(folder).filePath("hilltop-site7.dat").toStdString();
    rps::saveImage(path, image, rps::SaveOptions{});
    return path;
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    QApplication::setApplicationName("RPS-360T");
    QApplication::setApplicationVersion("1.00");
    outputFolder = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("screenshots")).absolutePath();
    QDir().mkpath(outputFolder);
    const QString dataFolder = QDir(outputFolder).filePath("tour-data");
    const std::vector<rps::PortChoice> ports{
        {1, "/dev/ttyS0", "ttyS0", {"/dev/ttyS0", "16550A", "", "", ""}},
        {2,
         "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3B2Q-if00-port0",
         "ttyUSB0 (FT232R USB UART)",
         {"/dev/ttyUSB0", "FT232R USB UART", "FTDI", "A10K3B2Q",
          "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3B2Q-if00-port0"}},
        {3,
         "/tmp/rps360t-sim.tty",
         "rps360t-sim.tty (rps360t-sim)",
         {"/tmp/rps360t-sim.tty", "rps360t-sim", "", "", ""}},
    };
    // The backups of the tour are made in its own folder, fresh for every run.
    rps::test::PictureShell picture(rps::sim::defaultMemory(0x0700), dataFolder, ports,
                                    "/tmp/rps360t-sim.tty");
    if (!picture.start())
        return 1;
    rps::ShellApplication& shell = *picture.shell;
    rps::test::PictureDialogs& dialogs = picture.dialogs;
    const rps::LanguageTable& texts = shell.texts();
    rps::CMainFrame& frame = picture.frame();
    save(frame, "main-window");

    // A read from the simulated repeater: the main window afterwards shows the repeater's model.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<rps::CTransferDialog*>(QApplication::activeModalWidget()))
            dialog->start();
    });
    QTimer dismiss;
    QObject::connect(&dismiss, &QTimer::timeout, [&dismiss] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            dismiss.stop();
            save(*box, "read-complete");
            box->accept();
        }
    });
    dismiss.start(100);
    frame.runCommand(rps::cmd::kReadFromRadio);
    save(frame, "main-window-after-read");

    // File > Backups... over the main window: the read just made and two older backups.
    addSampleBackups();
    QTimer::singleShot(300, [&frame] {
        if (auto* dialog = qobject_cast<rps::CBackupsDialog*>(QApplication::activeModalWidget())) {
            saveScreen(frame, "backups-list-1280x800");
            dialog->reject();
        }
    });
    frame.runCommand(rps::cmd::kBackups);

    // The demonstration configuration with Channel Edit over the grid, at full size and in a
    // main window of 900 x 600.
    dialogs.files = {QDir(rps::test::kSourceDir).filePath("demo/demo.dat").toStdString()};
    frame.runCommand(rps::cmd::kOpen);
    channelFormsTour(frame, "channel-edit-over-grid-1280x800");
    frame.setGeometry(0, 0, 900, 600);
    frame.closeAllForms();
    channelFormsTour(frame, "channel-edit-over-grid-900x600");
    featureFormsTour(frame, "feature-forms-900x600");
    frame.setGeometry(0, 0, 1280, 800);
    featureFormsTour(frame, "feature-forms-1280x800");
    frame.closeAllForms();

    {
        rps::CAboutDialog about(texts, &frame);
        showAndSave(about, "about");
    }
    {
        rps::CLanguageDialog language(texts, rps::offeredLanguages(texts), 1, &frame);
        showAndSave(language, "language-file-setup");
    }
    {
        rps::CSecurityDialog security(texts, dialogs, rps::SecuritySettings{"1234", true, false}, &frame);
        showAndSave(security, "security");
    }
    {
        rps::CModelInfoDialog model(texts, 0x0700, &frame);
        showAndSave(model, "model-information");
    }
    {
        rps::CPortDialog port(texts, ports, 3, ports[2].devicePath, &frame);
        showAndSave(port, "communication-port");
    }
    {
        rps::CReadDialog read(
            texts,
            [&read](const rps::CTransferDialog::ProgressFn& progress) {
                for (int step = 0; step <= 96; ++step)
                    progress(step, 167);
                save(read, "read-dialog-busy");
                return 1;
            },
            [](int, int) {}, &frame);
        showAndSave(read, "read-dialog");
        read.show();
        read.start();
        read.close();
    }
    {
        rps::CWriteDialog write(
            texts, true, [](const rps::CTransferDialog::ProgressFn&) { return 1; }, [](int, int) {}, &frame);
        showAndSave(write, "write-dialog");
    }
    {
        auto* splash = new rps::CSplashWindow(texts, false);
        splash->showCentred();
        save(*splash, "splash");
        splash->close();
    }

    // The write refused for a problem in the data.
    shell.image().main()[688] = '0';
    shell.image().main()[694] = 0xFF;
    saveNextModal("write-problems");
    frame.runCommand(rps::cmd::kWriteToRadio);
    shell.image().main()[688] = 0xFF;

    // The quit question.
    saveNextModal("quit-question");
    frame.close();

    // The open dialog with its preview of the embedded message.
    const std::string sample = sampleDataFile(dataFolder);
    saveNextModal("open-with-preview", [sample](QWidget& modal) {
        if (auto* name = modal.findChild<QLineEdit*>("fileNameEdit"))
            name->setText(QFileInfo(QString::fromStdString(sample)).fileName());
    });
    rps::FileRequest request;
    request.caption = texts.text(60);
    request.filterText = texts.text(148) + " (*.dat)";
    request.startFolder = dataFolder.toStdString();
    dialogs.chooseOpenFile(request);

    saveNextModal("password-prompt");
    dialogs.askPassword(texts.text(557), texts.text(1026), 6);

    frame.hide();
    QDir(dataFolder).removeRecursively();
    return 0;
}
