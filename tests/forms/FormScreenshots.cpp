// Shows each channel form on a realistic configuration and saves a picture of it, so the
// forms can be looked at as a dealer would see them: forms_screenshots OUTPUT_DIR
#include "FormTestHost.h"
#include "forms/channel/CChEditView.h"
#include "forms/channel/CChInfoView.h"
#include "forms/channel/ChannelFormSupport.h"
#include "forms/common/CGridView.h"
#include "forms/feature/CDataPasswordDialog.h"
#include "forms/feature/CFeatureView.h"
#include "forms/feature/CFuncPortView.h"
#include "forms/feature/CKeyView.h"
#include "model/DataFile.h"
#include "service/CMemMapDialog.h"
#include "service/MemMapOpeners.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QTabWidget>
#include <QTimer>

using namespace rps;
using rps::test::FormTestHost;

namespace {

void fillConfiguration(FormTestHost& host)
{
    auto main = host.image.main();
    main[kMultiAnalogCountOffset + 0] = 3; // multi table 1: analog entries
    main[kMultiNxdnCountOffset + 1] = 2;   // multi table 2: NXDN entries
    ChannelEditor editor = makeChannelEditor(host.context);
    struct Row {
        const char* rx;
        const char* tx;
        int type;
        const char* qt;
        const char* ran;
        const char* name;
    };
    const Row rows[] = {
        {"151.8200", "156.8200", kTypeAnalog, "88.5", "", ""},
        {"151.8800", "156.8800", kTypeAnalog, "D023N", "", "PD"},
        {"152.0150", "157.0150", kTypeNxdn, "", "12", "dt"},
        {"152.4500", "157.4500", kTypeMixed, "100.0", "5", "Hy"},
        {"153.1250", "153.1250", kTypeAnalog, "D754I", "", "SP"},
        {"154.5275", "159.5275", kTypeNxdn, "", "63", ""},
        {"155.3400", "", kTypeAnalog, "131.8", "", "rc"},
        {"158.7750", "163.7750", kTypeMixed, "D565N", "1", "FA"},
    };
    const int channels[] = {0, 1, 2, 3, 4, 5, 8, 11};
    for (int i = 0; i < 8; ++i) {
        const Row& row = rows[i];
        const int ch = channels[i];
        editor.setFrequency(ch, false, row.rx, false);
        if (*row.tx)
            editor.setFrequency(ch, true, row.tx, false);
        editor.setChoice(ch, kItemChannelType, row.type);
        if (*row.qt)
            editor.setQtDqt(ch, false, row.qt, true);
        if (*row.ran)
            editor.setRan(ch, false, row.ran, true);
        if (*row.name)
            editor.setName(ch, row.name);
    }
    editor.setMultiTable(0, 1);
    editor.setFlag(3, kItemCwId, true);
    editor.setFlag(3, kItemBeatShift, true);
    editor.setBeatShiftOption(3, 2, true);
    editor.setBeatShiftOption(3, 5, true);
    editor.setChoice(2, kItemOperationMode, kOperationMode0);
    editor.setFlag(2, kItemScanAdd, true);
    editor.setKeyData(2, "1234");
    editor.setFlag(2, kItemEncryption, true);
}

void save(QWidget* widget, const QString& folder, const QString& name)
{
    widget->raise();
    QApplication::processEvents();
    widget->grab().save(QDir(folder).filePath(name));
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("screenshots");
    QDir().mkpath(folder);

    FormTestHost host;
    fillConfiguration(host);

    host.openForm(kChannelInformationCommand);
    auto* grid = static_cast<CChInfoView*>(host.form(kChannelInformationCommand));
    grid->resize(grid->sizeHint().width(), 700);
    grid->grid()->setCurrentCell(3, 2);
    save(grid, folder, "channel-information.png");
    grid->grid()->setCurrentCell(1, 0);
    grid->grid()->openEditor(1, 4);
    save(grid, folder, "channel-information-editing.png");

    host.setCurrentChannel(3);
    host.openForm(kChannelEditCommand);
    auto* edit = host.form(kChannelEditCommand);
    edit->resize(edit->sizeHint().expandedTo(QSize(980, 0)));
    save(edit, folder, "channel-edit.png");
    host.setCurrentChannel(2);
    save(edit, folder, "channel-edit-nxdn.png");
    host.setCurrentChannel(20);
    save(edit, folder, "channel-edit-empty.png");

    host.setCurrentChannel(3);
    host.openForm(kBeatShiftCommand);
    auto* beat = host.form(kBeatShiftCommand);
    beat->resize(beat->sizeHint().expandedTo(QSize(360, 0)));
    save(beat, folder, "beat-shift.png");

    // The optional features of the demonstration configuration, page by page, at 1280x800.
    {
        FormTestHost demo;
        if (loadImage(std::string(rps::test::kSourceDir) + "/demo/demo.dat", demo.image).code == kLoadOk)
            demo.image.restoreSnapshot();
        demo.openForm(kOptionalFeaturesCommand);
        auto* features = static_cast<CFeatureView*>(demo.form(kOptionalFeaturesCommand));
        features->resize(1280, 800);
        auto* tabs = features->findChild<QTabWidget*>();
        for (int page = 0; tabs && page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            save(features, folder, QStringLiteral("optional-features-%1.png").arg(page + 1));
        }
        CDataPasswordDialog* password = features->makePasswordDialog();
        password->show();
        save(password, folder, "data-password.png");
        delete password;
    }

    // The viewers are modal: each is pictured once it is up, then closed.
    auto pictureViewer = [&folder](const QString& name, bool characters) {
        QTimer::singleShot(0, [folder, name, characters] {
            auto* dialog = qobject_cast<CMemMapDialog*>(QApplication::activeModalWidget());
            if (!dialog)
                return;
            if (characters && dialog->charactersBox())
                dialog->charactersBox()->setChecked(true);
            save(dialog, folder, name);
            dialog->accept();
        });
    };
    pictureViewer("memory-map-main.png", true);
    openMemoryMap(host.context, MemMapArea::Main, nullptr, 0x0400);
    pictureViewer("memory-map-trace.png", false);
    openMemoryMap(host.context, MemMapArea::TraceData, nullptr);
    pictureViewer("memory-map-channel.png", true);
    openChannelRecordViewer(host.context, 3, nullptr);

    // The feature forms on the demonstration configuration.
    FormTestHost demo;
    if (loadImage(std::string(test::kSourceDir) + "/demo/demo.dat", demo.image).code != kLoadOk)
        return 1;
    demo.image.restoreSnapshot(); // loading fills the staging copy
    demo.openForm(CKeyView::kCommand);
    auto* keys = static_cast<CKeyView*>(demo.form(CKeyView::kCommand));
    keys->resize(keys->sizeHint().expandedTo(QSize(760, 0)));
    keys->grid()->setCurrentCell(2, 0);
    save(keys, folder, "key-assignment.png");
    keys->grid()->openEditor(2, 0);
    save(keys, folder, "key-assignment-editing.png");
    demo.openForm(CFuncPortView::kCommand);
    auto* ports = static_cast<CFuncPortView*>(demo.form(CFuncPortView::kCommand));
    ports->resize(ports->sizeHint().boundedTo(QSize(1280, 800)));
    save(ports, folder, "function-port.png");
    return 0;
}
