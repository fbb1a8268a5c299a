#include "sim/SimOptions.h"

#include "link/SimulatorLinkPath.h"
#include "model/ModelTable.h"

#include <cctype>
#include <cstdlib>
#include <random>

namespace rps::sim {

namespace {

std::optional<long> parseNumber(const std::string& text)
{
    if (text.empty())
        return std::nullopt;
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    if (*end != '\0')
        return std::nullopt;
    return value;
}

// A command byte given as one character ("E") or a number ("0xE7", "44").
std::optional<uint8_t> parseCommandByte(const std::string& text)
{
    if (text.size() == 1 && !std::isdigit(static_cast<unsigned char>(text[0])))
        return static_cast<uint8_t>(text[0]);
    const std::optional<long> value = parseNumber(text);
    if (!value || *value < 0 || *value > 0xFF)
        return std::nullopt;
    return static_cast<uint8_t>(*value);
}

// "CMD" or "CMD:COUNT"; the count -1 means every time.
bool parseFault(const std::string& text, int defaultCount, std::map<uint8_t, int>& faults)
{
    const std::size_t colon = text.find(':', 1);
    const std::optional<uint8_t> command = parseCommandByte(text.substr(0, colon));
    int count = defaultCount;
    if (colon != std::string::npos) {
        const std::optional<long> n = parseNumber(text.substr(colon + 1));
        if (!n || *n < -1)
            return false;
        count = static_cast<int>(*n);
    }
    if (!command)
        return false;
    faults[*command] = count;
    return true;
}

std::optional<std::array<uint8_t, 6>> parsePassword(const std::string& text)
{
    if (text.empty() || text.size() > 6)
        return std::nullopt;
    std::array<uint8_t, 6> bytes;
    bytes.fill(' ');
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!std::isalnum(static_cast<unsigned char>(text[i])))
            return std::nullopt;
        bytes[i] = static_cast<uint8_t>(text[i]);
    }
    return bytes;
}

} // namespace

std::string simUsage()
{
    return "Usage: rps360t-sim [options]\n"
           "A simulated repeater on a pseudo-terminal: it answers the programming protocol as a\n"
           "QLM-640/QLM-940 repeater would. The pseudo-terminal's path is printed on start-up.\n"
           "\n"
           "Options:\n"
           "  --link PATH            symbolic link to the pseudo-terminal\n"
           "                         (default ${TMPDIR:-/tmp}/rps360t-sim.tty)\n"
           "  --model-code CODE      start with the default image of this model code: 0x0400 0x0402\n"
           "                         0x0403 0x0600 0x0700 0x0702 0x0703 (default 0x0400)\n"
           "  --image FILE           start with this image: a .dat data file or a raw image of\n"
           "                         42,496 bytes (main 40,960 + auxiliary 1,280 + local 256)\n"
           "  --unprogrammed         identify as an unprogrammed unit\n"
           "  --write-password TEXT  require this write password (1 to 6 letters or digits)\n"
           "  --hunt-baud BAUD       line speed the repeater answers a mode entry at (default 9600)\n"
           "  --pace                 cost every byte its wire time, 11 bits at the current speed;\n"
           "                         a frame is acted on only when it would have arrived\n"
           "  --dump FILE            write the repeater's image (raw, 42,496 bytes) to FILE whenever\n"
           "                         a session ends and when the program ends\n"
           "  --seed N               seed of the key seed bytes and of the noise\n"
           "\n"
           "Faults:\n"
           "  --bad-checksum N       the next N block-read replies carry a wrong checksum\n"
           "  --no-answer CMD[:N]    leave command CMD unanswered N times (-1 or no count: always);\n"
           "                         CMD is one character (E) or a byte value (0xE7); may repeat\n"
           "  --nak CMD[:N]          answer command CMD with NAK N times (default once); may repeat\n"
           "  --noise N              send N junk bytes between SYN and ACK\n"
           "  --slow-prepare MS      answer the prepare-for-writing command after MS milliseconds\n"
           "  --die-at-block N       stop answering for good when block N is read or written\n"
           "  --help                 show this text\n";
}

ParsedOptions parseSimOptions(int argc, const char* const* argv)
{
    SimProgramOptions options;
    options.linkPath = defaultSimulatorLinkPath();
    options.config.seed = std::random_device{}();
    ParsedOptions result;
    auto fail = [&](const std::string& why) {
        result.error = why;
        return result;
    };
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        if (option == "--help") {
            options.help = true;
            continue;
        }
        if (option == "--unprogrammed") {
            options.config.unprogrammed = true;
            continue;
        }
        if (option == "--pace") {
            options.pace = true;
            continue;
        }
        if (i + 1 >= argc)
            return fail("unknown option or missing value: " + option);
        const std::string value = argv[++i];
        const std::optional<long> number = parseNumber(value);
        if (option == "--link") {
            options.linkPath = value;
        } else if (option == "--image") {
            options.imagePath = value;
        } else if (option == "--dump") {
            options.dumpPath = value;
        } else if (option == "--model-code") {
            if (!number || findBandRow(static_cast<uint16_t>(*number)) < 0 || *number > 0xFFFF)
                return fail("unknown model code: " + value);
            options.modelCode = static_cast<uint16_t>(*number);
        } else if (option == "--write-password") {
            options.config.writePassword = parsePassword(value);
            if (!options.config.writePassword)
                return fail("a write password is 1 to 6 letters or digits");
        } else if (option == "--hunt-baud") {
            if (!number || *number <= 0)
                return fail("bad speed: " + value);
            options.config.huntBaud = static_cast<uint32_t>(*number);
        } else if (option == "--seed") {
            if (!number)
                return fail("bad seed: " + value);
            options.config.seed = static_cast<uint32_t>(*number);
        } else if (option == "--bad-checksum" || option == "--noise" || option == "--slow-prepare" ||
                   option == "--die-at-block") {
            if (!number || *number < 0 || *number > 1000000)
                return fail("bad number for " + option + ": " + value);
            const int n = static_cast<int>(*number);
            SimFaults& faults = options.config.faults;
            (option == "--bad-checksum"   ? faults.badChecksums
             : option == "--noise"        ? faults.noiseBytes
             : option == "--slow-prepare" ? faults.prepareDelayMs
                                          : faults.dieAtBlock) = n;
        } else if (option == "--no-answer") {
            if (!parseFault(value, -1, options.config.faults.silentCommands))
                return fail("bad command for --no-answer: " + value);
        } else if (option == "--nak") {
            if (!parseFault(value, 1, options.config.faults.nakCommands))
                return fail("bad command for --nak: " + value);
        } else {
            return fail("unknown option: " + option);
        }
    }
    result.options = options;
    return result;
}

} // namespace rps::sim
