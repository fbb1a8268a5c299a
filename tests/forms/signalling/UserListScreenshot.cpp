// A picture of the user lists form on the demonstration configuration with twenty IDs in each
// list (those the demonstration file gains), the individual list sorted by ID, in its child
// frame on a 1280x800 MDI area: user-list.png.
#include "../FormTestHost.h"
#include "forms/FieldForms.h"
#include "forms/common/CGridView.h"
#include "forms/signalling/CUserRecordsView.h"
#include "model/DataFile.h"

#include <QApplication>
#include <QDir>
#include <QHeaderView>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <iostream>

using namespace rps;
using rps::test::FormTestHost;

namespace {

void enter(FormTestHost& host, const std::string& key, const std::string& text)
{
    const DeclaredForm* form = findDeclaredForm("user-list");
    const auto session = form->open(host.image, fields::FieldEnv{});
    if (const auto field = findField(*form, session->engine(), key))
        enterFieldText(session->engine(), *field, text);
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
    enter(host, "user-list.1.1.id", "0");
    for (int n = 2; n <= 20; ++n)
        enter(host, "user-list.1." + std::to_string(n) + ".id", std::to_string(1121 - n));
    for (int n = 1; n <= 20; ++n)
        enter(host, "user-list.2." + std::to_string(n) + ".id", std::to_string(100 * n));
    enter(host, "user-list.2.19.choice", "Off");
    enter(host, "user-list.2.20.choice", "Off");

    QMdiArea area;
    area.resize(1280, 800);
    auto* form = static_cast<CUserRecordsView*>(findForm(kUserListCommand)->create(host.context, nullptr));
    QMdiSubWindow* window = area.addSubWindow(form);
    window->setWindowTitle(form->formTitle());
    window->setWindowIcon(area.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    form->refreshFromImage();
    window->resize(window->sizeHint());
    area.show();
    window->show();
    QApplication::processEvents();
    emit form->listGrid(1)->horizontalHeader()->sectionClicked(0);
    QApplication::processEvents();
    if (!area.grab().save(folder.filePath("user-list.png")))
        std::cerr << "cannot save user-list.png\n";
    return 0;
}
