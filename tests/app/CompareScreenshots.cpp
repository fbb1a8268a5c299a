// Not a test: pictures of the compare window and of the write dialog's "what will change" list
// at 1280x800, on the demonstration configuration in the simulated repeater.
//   compare_screenshots FOLDER   (run under xvfb-run -s "-screen 0 1280x800x24")
#include "PictureShell.h"
#include "app/CCompareDialog.h"
#include "app/CTransferDialog.h"
#include "app/ShellCommands.h"
#include "forms/FieldForms.h"
#include "model/DataFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QScreen>
#include <QTimer>

#include <iostream>

namespace {

QString outputFolder;

void settle(int milliseconds = 300)
{
    QElapsedTimer wait;
    wait.start();
    while (wait.elapsed() < milliseconds)
        QApplication::processEvents();
}

// The whole screen: the main window with the dialog over it.
void saveScreen(QWidget& widget, const char* name)
{
    settle();
    const QString path = QDir(outputFolder).filePath(QString(name) + ".png");
    if (!widget.screen()->grabWindow(0, 0, 0, 1280, 800).save(path))
        std::cerr << "cannot write " << path.toStdString() << '\n';
    else
        std::cout << path.toStdString() << '\n';
}

void enter(rps::ConfigImage& image, const rps::LanguageTable& texts, const std::string& key,
           const std::string& text)
{
    rps::fields::FieldEnv env{[&texts](int n) { return texts.text(n); },
                              rps::FrequencyLimits::forModelCode(0x0400, false), '.'};
    const rps::DeclaredForm* form = rps::findDeclaredForm(key.substr(0, key.find('.')));
    const auto session = form->open(image, env);
    if (const auto field = rps::findField(*form, session->engine(), key))
        rps::enterFieldText(session->engine(), *field, text);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    outputFolder = QDir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString("screenshots")).absolutePath();
    QDir().mkpath(outputFolder);
    const std::string demo = QDir(rps::test::kSourceDir).filePath("demo/demo.dat").toStdString();
    rps::sim::MemoryFromFile loaded = rps::sim::memoryFromFile(demo);
    if (!loaded.memory) {
        std::cerr << loaded.reason << '\n';
        return 1;
    }
    rps::test::PictureShell picture(*loaded.memory, QDir(outputFolder).filePath("compare-data"));
    picture.dialogs.quietMessages = true;
    if (!picture.start())
        return 1;
    rps::ShellApplication& shell = *picture.shell;
    rps::test::PictureDialogs& dialogs = picture.dialogs;
    const rps::LanguageTable& texts = shell.texts();
    rps::CMainFrame& frame = picture.frame();
    frame.show();

    // Read the repeater, then a few edits: the working image the write would send.
    QTimer::singleShot(0, [] {
        if (auto* dialog = qobject_cast<rps::CTransferDialog*>(QApplication::activeModalWidget()))
            dialog->start();
    });
    frame.runCommand(rps::cmd::kReadFromRadio);
    enter(shell.image(), texts, "channel.3.rx-frequency", "151.0125");
    enter(shell.image(), texts, "channel.3.name", "HILLTOP");
    enter(shell.image(), texts, "features.tot", "10");
    shell.image().main()[0x0F00] = 0x42;

    // The working image against the demonstration file.
    dialogs.files = {demo};
    QTimer::singleShot(200, [&] {
        if (auto* dialog = qobject_cast<rps::CCompareDialog*>(QApplication::activeModalWidget())) {
            dialog->choose(rps::CCompareDialog::First::Working, rps::CCompareDialog::Second::File);
            dialog->move(190, 100);
            dialog->compare();
            saveScreen(*dialog, "compare-window");
            dialog->reject();
        }
    });
    frame.runCommand(rps::cmd::kCompare);

    // The write dialog with its list of what will change.
    QTimer::singleShot(200, [&] {
        if (auto* dialog = qobject_cast<rps::CWriteDialog*>(QApplication::activeModalWidget())) {
            dialog->previewBox()->setChecked(true);
            dialog->move(260, 120);
            saveScreen(*dialog, "write-preview");
            dialog->reject();
        }
    });
    frame.runCommand(rps::cmd::kWriteToRadio);
    return 0;
}
