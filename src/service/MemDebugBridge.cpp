#include "service/MemDebugBridge.h"

#include "service/MemMapOpeners.h"

#include <QCoreApplication>
#include <QEvent>

namespace rps {

namespace {

const QEvent::Type kMemDebugEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

class MemDebugEvent : public QEvent {
public:
    MemDebugEvent(unsigned message, std::uintptr_t first, std::uintptr_t second)
        : QEvent(kMemDebugEvent), message(message), first(first), second(second)
    {
    }
    unsigned message;
    std::uintptr_t first;
    std::uintptr_t second;
};

using SetMessageFunction = void (*)(unsigned);
using OpenWindowFunction = void (*)(MemDebugHost*, uint8_t*, int, uint8_t*, int);

} // namespace

MemDebugBridge::MemDebugBridge(FormContext& context, QWidget* mainWindow)
    : QObject(nullptr), context_(context), mainWindow_(mainWindow)
{
    host_ = {this, &MemDebugBridge::post};
}

bool MemDebugBridge::load(const QString& libraryName)
{
    if (!context_.options.supportUtility || loaded_)
        return loaded_;
    library_.setFileName(libraryName);
    if (!library_.load())
        return false;
    auto setMemMapMsg = reinterpret_cast<SetMessageFunction>(library_.resolve("SetMemMapMsg"));
    auto setAllUpdateMsg = reinterpret_cast<SetMessageFunction>(library_.resolve("SetAllUpdateMsg"));
    auto openWindow = reinterpret_cast<OpenWindowFunction>(library_.resolve("OpenMemMapDebugWindow"));
    if (!setMemMapMsg || !setAllUpdateMsg || !openWindow) {
        library_.unload();
        return false;
    }
    setMemMapMsg(kMemMapMessage);
    setAllUpdateMsg(kAllUpdateMessage);
    openWindow(&host_, context_.image.main().data(), static_cast<int>(context_.image.main().size()),
               context_.image.aux().data(), static_cast<int>(context_.image.aux().size()));
    loaded_ = true;
    return true;
}

void MemDebugBridge::post(void* target, unsigned message, std::uintptr_t first, std::uintptr_t second)
{
    // The library may post from any thread; the event is handled on the user-interface thread.
    QCoreApplication::postEvent(static_cast<MemDebugBridge*>(target),
                                new MemDebugEvent(message, first, second));
}

void MemDebugBridge::customEvent(QEvent* event)
{
    if (event->type() != kMemDebugEvent) {
        QObject::customEvent(event);
        return;
    }
    const auto* posted = static_cast<MemDebugEvent*>(event);
    handleMessage(posted->message, posted->first, posted->second);
}

void MemDebugBridge::handleMessage(unsigned message, std::uintptr_t first, std::uintptr_t second)
{
    if (message == kAllUpdateMessage) {
        context_.host.refreshAllForms();
        return;
    }
    if (message != kMemMapMessage)
        return;
    // 'F' is the main area (its checksum is recomputed before it shows), 'E' the auxiliary block.
    if (first == 'F')
        openMemoryMap(context_, MemMapArea::Main, mainWindow_, static_cast<std::size_t>(second));
    else if (first == 'E')
        openMemoryMap(context_, MemMapArea::Eeprom, mainWindow_, static_cast<std::size_t>(second));
}

} // namespace rps
