// Pictures of the encode/decode table form on the demonstration configuration, both pages,
// in its child frame on a 1280x800 MDI area as the main window shows it.
#include "../FormTestHost.h"
#include "forms/common/CChildFrame.h"
#include "model/DataFile.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>
#include <QTabWidget>

#include <iostream>

using namespace rps;
using rps::test::FormTestHost;

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
    const char* files[] = {"encode-decode-encode.png", "encode-decode-decode.png"};
    for (int page = 0; page < 2; ++page) {
        QMdiArea area;
        area.resize(1280, 800);
        CFormView* form = findForm(kEncodeDecodeCommand)->create(host.context, nullptr);
        QMdiSubWindow* frame = form->createFrame({});
        QMdiSubWindow* window = area.addSubWindow(frame ? static_cast<QWidget*>(frame) : form);
        window->setWindowTitle(form->formTitle());
        window->setWindowIcon(area.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
        form->refreshFromImage();
        form->findChild<QTabWidget*>()->setCurrentIndex(page);
        window->resize(window->sizeHint());
        area.show();
        window->show();
        QApplication::processEvents();
        if (!area.grab().save(folder.filePath(files[page])))
            std::cerr << "cannot save " << files[page] << '\n';
    }
    return 0;
}
