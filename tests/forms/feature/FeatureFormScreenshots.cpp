// Pictures of the scan information and advanced settings forms on the demonstration
// configuration, each in its child frame on a 1280x800 MDI area as the main window shows
// them: scripts/screenshots-feature-forms.
#include "../FormTestHost.h"
#include "forms/common/CDeclaredFormView.h"
#include "forms/feature/CSpecialView.h"
#include "model/DataFile.h"

#include "forms/common/CChildFrame.h"
#include <QApplication>
#include <QDir>

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTabWidget>

#include <iostream>

using namespace rps;
using rps::test::FormTestHost;

namespace {

void picture(FormTestHost& host, int command, const QString& file, int page = -1)
{
    QMdiArea area;
    area.resize(1280, 800);
    CFormView* form = findForm(command)->create(host.context, nullptr);
    QMdiSubWindow* frame = form->createFrame({});
    QMdiSubWindow* window = area.addSubWindow(frame ? static_cast<QWidget*>(frame) : form);
    window->setWindowTitle(form->formTitle());
    window->setWindowIcon(area.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    form->refreshFromImage();
    if (auto* tabs = form->findChild<QTabWidget*>(); tabs && page >= 0)
        tabs->setCurrentIndex(page);
    window->resize(window->sizeHint());
    area.show();
    window->show();
    QApplication::processEvents();
    if (!area.grab().save(file))
        std::cerr << "cannot save " << file.toStdString() << '\n';
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QDir folder(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots"));
    QDir().mkpath(folder.path());
    FormTestHost host;
    const std::string demo = std::string(test::kSourceDir) + "/demo/demo.dat";
    if (loadImage(demo, host.image).code != 0) {
        std::cerr << "cannot open " << demo << '\n';
        return 1;
    }
    host.image.restoreSnapshot();
    picture(host, kScanInformationCommand, folder.filePath("scan-information.png"));
    picture(host, kAdvancedSettingsCommand, folder.filePath("advanced-settings.png"), 0);
    picture(host, kAdvancedSettingsCommand, folder.filePath("advanced-settings-tuning.png"), 1);
    return 0;
}
