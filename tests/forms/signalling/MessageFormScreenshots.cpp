// Pictures of the test frequency and embedded message forms on the demonstration
// configuration, each in its child frame on a 1280x800 MDI area: test frequencies and message
// lines typed in where the demonstration leaves them empty.
#include "../../link/LinkRig.h"
#include "../FormTestHost.h"
#include "forms/FieldForms.h"
#include "model/DataFile.h"

#include <QApplication>
#include <QDir>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStyle>

#include <iostream>

using namespace rps;
using rps::test::FormTestHost;

namespace {

void picture(FormTestHost& host, int command, const QString& file)
{
    QMdiArea area;
    area.resize(1280, 800);
    CFormView* form = findForm(command)->create(host.context, nullptr);
    QMdiSubWindow* window = area.addSubWindow(form);
    window->setWindowTitle(form->formTitle());
    window->setWindowIcon(area.style()->standardIcon(QStyle::SP_FileDialogDetailedView));
    form->refreshFromImage();
    window->resize(window->sizeHint());
    area.show();
    window->show();
    QApplication::processEvents();
    if (!area.grab().save(file))
        std::cerr << "cannot save " << file.toStdString() << '\n';
}

void enter(FormTestHost& host, const std::string& key, const std::string& text)
{
    const std::string formKey = key.substr(0, key.find('.'));
    const DeclaredForm* form = findDeclaredForm(formKey);
    const auto session = form->open(
        host.image, fields::FieldEnv{[&host](int n) { return host.texts.text(n); }, host.limits, '.'});
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
    // Three test frequencies (records 1, 3 and 4), then 151.5 MHz typed into the empty record 2.
    for (const char* record : {"2", "5", "6"})
        enter(host, std::string("test-frequency.") + record + ".rx", "");
    enter(host, "test-frequency.2.rx", "151.5");
    enter(host, "message.line-1", "Programmed by Bench 4");
    enter(host, "message.line-2", "Service: +1 555 0100");
    enter(host, "protected-message.line-1", "Site 12, rack B");
    picture(host, kTestFrequencyCommand, folder.filePath("test-frequency.png"));
    picture(host, kEmbeddedMessageCommand, folder.filePath("embedded-message.png"));
    test::LinkRig rig; // the repeater buttons are offered with a link
    host.link = &rig.link;
    picture(host, kEmbeddedPasswordCommand, folder.filePath("embedded-message-password.png"));
    return 0;
}
