#include "link/qt/QtSerialDevice.h"

#include <fcntl.h>
#include <linux/serial.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>

#include <climits>
#include <cstdlib>
#include <thread>

namespace rps {

namespace {

bool isPseudoTerminal(const std::string& path)
{
    char resolved[PATH_MAX];
    if (!realpath(path.c_str(), resolved))
        return false;
    return std::string(resolved).rfind("/dev/pts/", 0) == 0 || std::string(resolved) == "/dev/ptmx";
}

QSerialPort::Parity parityOf(char parity)
{
    switch (parity) {
    case 'E':
        return QSerialPort::EvenParity;
    case 'O':
        return QSerialPort::OddParity;
    case 'M':
        return QSerialPort::MarkParity;
    case 'S':
        return QSerialPort::SpaceParity;
    default:
        return QSerialPort::NoParity;
    }
}

// Qt's reason for a failed open as the system's error number, for when errno is gone.
int systemErrorOf(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return ENOENT;
    case QSerialPort::PermissionError:
        return EACCES;
    case QSerialPort::UnsupportedOperationError:
        return ENOTTY;
    default:
        return EIO;
    }
}

} // namespace

QtSerialDevice::QtSerialDevice() = default;

QtSerialDevice::~QtSerialDevice()
{
    if (port_.isOpen())
        port_.close();
    releaseLock();
}

void QtSerialDevice::releaseLock()
{
    if (lockFd_ >= 0)
        ::close(lockFd_);
    lockFd_ = -1;
}

bool QtSerialDevice::open(const std::string& path)
{
    if (port_.isOpen())
        return false;
    failure_ = {};
    // Non-blocking so a modem line cannot hold us up; no controlling terminal; nothing set.
    const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0 || ::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        failure_.systemError = errno;
        if (fd >= 0)
            ::close(fd);
        if (failure_.systemError == EBUSY || failure_.systemError == EWOULDBLOCK)
            failure_.holder = findPortHolder(path).value_or("");
        return false;
    }
    lockFd_ = fd;
    port_.setPortName(QString::fromStdString(path));
    pseudoTerminal_ = isPseudoTerminal(path);
    if (!port_.open(QIODevice::ReadWrite)) {
        failure_.systemError = systemErrorOf(port_.error());
        releaseLock();
        return false;
    }
    lastFrameErrors_ = 0;
    lastBreaks_ = 0;
    takeLineError(); // counters start from here
    return true;
}

bool QtSerialDevice::close()
{
    if (!port_.isOpen())
        return false;
    port_.close();
    releaseLock();
    return true;
}

bool QtSerialDevice::applyLineSettings(const LineSettings& settings)
{
    if (!port_.isOpen())
        return false;
    const bool framed =
        port_.setBaudRate(static_cast<qint32>(settings.baud)) &&
        port_.setDataBits(static_cast<QSerialPort::DataBits>(settings.dataBits)) &&
        port_.setParity(parityOf(settings.parity)) &&
        port_.setStopBits(settings.stopBits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop) &&
        port_.setFlowControl(QSerialPort::NoFlowControl);
    if (!framed)
        return false;
    baud_ = settings.baud;
    const bool lines = port_.setDataTerminalReady(true) && port_.setRequestToSend(false);
    return lines || pseudoTerminal_;
}

bool QtSerialDevice::setRts(bool on)
{
    // Linux raises RTS when the port opens; the programming cable wants it low.
    return port_.setRequestToSend(on) || pseudoTerminal_;
}

std::size_t QtSerialDevice::read(uint8_t* destination, std::size_t count, int timeoutMs)
{
    if (!port_.isOpen())
        return 0;
    const auto deadline =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
    std::size_t got = 0;
    while (got < count) {
        const qint64 n =
            port_.read(reinterpret_cast<char*>(destination + got), static_cast<qint64>(count - got));
        if (n < 0)
            break;
        if (n > 0) {
            got += static_cast<std::size_t>(n);
            continue;
        }
        const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (remaining.count() <= 0 || !port_.waitForReadyRead(static_cast<int>(remaining.count()))) {
            const qint64 last =
                port_.read(reinterpret_cast<char*>(destination + got), static_cast<qint64>(count - got));
            got += last > 0 ? static_cast<std::size_t>(last) : 0;
            break;
        }
    }
    return got;
}

bool QtSerialDevice::writeAll(const uint8_t* source, std::size_t count)
{
    if (!port_.isOpen())
        return false;
    if (port_.write(reinterpret_cast<const char*>(source), static_cast<qint64>(count)) !=
        static_cast<qint64>(count))
        return false;
    // Twice the wire time plus a second: a line that takes longer is not draining at all.
    const int allowanceMs = static_cast<int>(count * 11 * 2000 / std::max<uint32_t>(baud_, 1)) + 1000;
    while (port_.bytesToWrite() > 0) {
        if (!port_.waitForBytesWritten(allowanceMs))
            return false;
    }
    return true;
}

void QtSerialDevice::discardInput()
{
    if (port_.isOpen())
        port_.clear(QSerialPort::Input);
}

std::optional<bool> QtSerialDevice::takeLineError()
{
    if (!port_.isOpen())
        return std::nullopt;
    serial_icounter_struct counters{};
    // Drivers without error counters (a pseudo-terminal) report no line errors.
    if (::ioctl(static_cast<int>(port_.handle()), TIOCGICOUNT, &counters) != 0)
        return false;
    const bool error = counters.frame != lastFrameErrors_ || counters.brk != lastBreaks_;
    lastFrameErrors_ = counters.frame;
    lastBreaks_ = counters.brk;
    return error;
}

uint64_t QtSerialDevice::tickMs()
{
    return static_cast<uint64_t>(
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - epoch_)
            .count());
}

void QtSerialDevice::delayMs(int ms)
{
    // A pause of exact length on the monotonic clock; sleeping is as exact as spinning here.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (std::chrono::steady_clock::now() < until)
        std::this_thread::sleep_until(until);
}

} // namespace rps
