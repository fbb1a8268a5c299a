#pragma once
// The application started as a user starts it, but with the settings in memory, backups in a
// folder of its own, every question answered by a script and the serial port wired to the
// in-process simulated repeater. Test forms stand in for the editing forms of the catalogue.
#include "TestPaths.h"
#include "model/TempFolder.h"
#include "texts/ScriptedDialogs.h"

#include "app/CMainFrame.h"
#include "app/SettingsStore.h"
#include "app/ShellApplication.h"
#include "app/ShellController.h"
#include "sim/SimDevice.h"
#include "sim/SimRepeater.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

#include <functional>
#include <map>
#include <memory>

namespace rps::test {

// A form that only counts how often it was told to re-read the image.
class CountingForm : public CFormView {
public:
    CountingForm(FormContext& context, int command, QWidget* parent) : CFormView(context, command, parent) {}
    void refreshFromImage() override { ++refreshes; }
    QString formTitle() const override { return QString("Form %1").arg(command()); }
    int refreshes = 0;
};

inline constexpr int kTestFormA = 32773; // Channel Information
inline constexpr int kTestFormB = 32822; // Optional Features

inline const FormDescriptor* testFormLookup(int command)
{
    static const FormDescriptor forms[] = {
        {kTestFormA, 88, 841, FormPlace::EditMenuThenSeparator,
         [](FormContext& context, QWidget* parent) -> CFormView* {
             return new CountingForm(context, kTestFormA, parent);
         }},
        {kTestFormB, 73, 833, FormPlace::EditMenu,
         [](FormContext& context, QWidget* parent) -> CFormView* {
             return new CountingForm(context, kTestFormB, parent);
         }},
    };
    for (const FormDescriptor& form : forms) {
        if (form.command == command)
            return &form;
    }
    return nullptr;
}

class ShellRig {
public:
    explicit ShellRig(sim::SimMemory memory = sim::defaultMemory(0x0400))
        : repeater(sim::SimConfig{}, std::move(memory)), device(repeater)
    {
        // The backups every read and write make go to this rig's own folder.
        qputenv("XDG_DATA_HOME", QByteArray::fromStdString(folder.file("data")));
    }
    ~ShellRig()
    {
        if (app && app->mainFrame() != nullptr)
            app->mainFrame()->hide();
    }

    bool start(std::vector<std::string> arguments = {})
    {
        StartupEnvironment env{std::move(arguments),
                               kLanguageFile,
                               settings,
                               nullptr,
                               DataFolderPlaces{folder.path().string(), folder.path().string()},
                               dialogs,
                               device,
                               [this] { return ports; },
                               "sim-link",
                               false,
                               formLookup,
                               helpFolder};
        app = std::make_unique<ShellApplication>(std::move(env));
        return app->start();
    }

    CMainFrame& frame() { return *app->mainFrame(); }
    // Shows the main window and waits until it is active, so keys pressed in it arrive.
    bool showActive()
    {
        frame().show();
        frame().activateWindow();
        return QTest::qWaitForWindowActive(&frame());
    }
    ConfigImage& image() { return app->image(); }
    void trigger(int command) { frame().runCommand(command); }
    std::string text(int index) { return app->texts().text(index); }

    TempFolder folder;
    MemorySettingsStore settings;
    ScriptedDialogs dialogs;
    std::vector<PortChoice> ports; // what the platform's port list offers
    // The forms the Edit commands open; empty for the application's own form catalogue.
    std::function<const FormDescriptor*(int command)> formLookup = testFormLookup;
    // Where the help collections are; empty: beside the test program (where there are none).
    std::string helpFolder;
    sim::SimRepeater repeater;
    sim::SimDevice device;
    std::unique_ptr<ShellApplication> app;
};

// Runs action on the next modal dialog of type T once it is shown.
template <typename T> void whenModal(std::function<void(T&)> action)
{
    QTimer::singleShot(0, [action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget()))
            action(*dialog);
    });
}

// Runs action on the next modal dialog of type T once it is the active modal widget. For
// dialogs that an exchange opens after running the message pump itself.
template <typename T> void whenShown(std::function<void(T&)> action)
{
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            action(*dialog);
        }
    });
    timer->start();
}

} // namespace rps::test
