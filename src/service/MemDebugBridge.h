#pragma once
// The optional external debugging library: loaded only with the "SupportUtility" option, it
// shows its own memory window over the working image and may ask this program to open a
// memory map viewer at an address (message 1124) or to refresh every editing form (1125).
// Everything works without it.
#include "forms/common/FormContext.h"

#include <QLibrary>
#include <QObject>

#include <cstdint>

class QWidget;

extern "C" {
// What the library is handed as its "main window": it posts its messages through `post`.
struct MemDebugHost {
    void* target;
    void (*post)(void* target, unsigned message, std::uintptr_t first, std::uintptr_t second);
};
}

namespace rps {

class MemDebugBridge : public QObject {
    Q_OBJECT
public:
    static constexpr unsigned kMemMapMessage = 1124;
    static constexpr unsigned kAllUpdateMessage = 1125;

    MemDebugBridge(FormContext& context, QWidget* mainWindow);

    // Loads the library when the support-utility option is on and hands it the image;
    // false when the option is off or the library or one of its entry points is missing.
    bool load(const QString& libraryName = QStringLiteral("MemDebug"));
    bool isLoaded() const { return loaded_; }
    // What a message from the library does.
    void handleMessage(unsigned message, std::uintptr_t first, std::uintptr_t second);

protected:
    void customEvent(QEvent* event) override;

private:
    static void post(void* target, unsigned message, std::uintptr_t first, std::uintptr_t second);

    FormContext& context_;
    QWidget* mainWindow_;
    QLibrary library_;
    MemDebugHost host_{};
    bool loaded_ = false;
};

} // namespace rps
