// Pictures of the DTMF, NXDN, CW ID, CW message, multi table and remote-control forms on the demonstration
// configuration, each in its child frame on a 1280x800 MDI area as the main window shows them:
// scripts/screenshots-signalling-forms.
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

// Values typed as the forms take them, so that the pictures show filled fields where the
// demonstration configuration leaves them empty.
void enter(FormTestHost& host, const std::string& key, const std::string& text)
{
    const DeclaredForm* form = findDeclaredForm(key.substr(0, key.find('.')));
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
    picture(host, kDtmfCommand, folder.filePath("dtmf.png"));
    picture(host, kNxdnCommand, folder.filePath("nxdn.png"));
    host.channel = 0;
    if (host.image.main()[0x1000 + 32] != 1) {
        host.image.main()[0x1000 + 32] = 1; // CW ID on channel 1
        enter(host, "cwid.1.text", "DE RPT1 QTH");
    }
    if (host.image.main()[0x0580] == 0xFF) {
        enter(host, "cw-message.1.text", "QRV");
        enter(host, "cw-message.2.text", "QRT SITE 4");
    }
    picture(host, kCwIdCommand, folder.filePath("cw-id.png"));
    picture(host, kCwMessageCommand, folder.filePath("cw-message.png"));
    if (host.image.main()[0x00C8] == 0xFF) {
        enter(host, "multi-table.1.analog.1.decode", "88.5");
        enter(host, "multi-table.1.analog.2.decode", "D023N");
        enter(host, "multi-table.1.analog.2.encode", "D754I");
        enter(host, "multi-table.1.analog.3.decode", "131.8");
        enter(host, "multi-table.1.nxdn.1.decode", "12");
    }
    picture(host, kMultiTableCommand, folder.filePath("multi-table.png"));
    if (host.image.main()[0x0693] == 0xFF) {
        const std::pair<std::size_t, uint8_t> codes[] = {
            {0x0693, 0x02}, // PF key 2: decode code 3
            {0x0695, 0x02}, // its type
            {0x06A2, 0x80}, // the PF-key transponder: encode codes 1 and 2
            {0x06A3, 0x81},
        };
        for (const auto& [offset, code] : codes)
            host.image.main()[offset] = code;
    }
    picture(host, kRemoteControlCommand, folder.filePath("remote-control.png"));
    return 0;
}
