#include "sim/SimOptions.h"

#include "link/SimulatorLinkPath.h"
#include "model/ModelTable.h"

#include <CLI/CLI.hpp>

#include <algorithm>
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

namespace {

// The options as text first: numbers are read as C reads them (0x0400, 0xE7, 44) and checked
// with the reason named, as a repeater technician would want it.
struct RawOptions {
    std::string modelCode;
    std::string writePassword;
    std::string messagePassword;
    std::string huntBaud;
    std::string seed;
    std::string badChecksum;
    std::string noise;
    std::string slowPrepare;
    std::string dieAtBlock;
    std::string storeWrong;
    std::vector<std::string> noAnswer;
    std::vector<std::string> nak;
};

void describe(CLI::App& app, SimProgramOptions& options, RawOptions& raw)
{
    app.set_version_flag("--version", std::string(kSimVersion), "show the version and end");
    app.set_help_flag("--help", "show this text and end");
    app.get_formatter()->column_width(26);
    app.add_option("--link", options.linkPath,
                   "symbolic link to the pseudo-terminal (default ${TMPDIR:-/tmp}/rps360t-sim.tty); refused "
                   "while another simulator serves it (PATH.lock)")
        ->option_text("PATH");
    app.add_option("--model-code", raw.modelCode,
                   "start with the default image of this model code: 0x0400 0x0402 0x0403 0x0600 0x0700 "
                   "0x0702 0x0703 (default 0x0400)")
        ->option_text("CODE");
    app.add_option("--image", options.imagePath,
                   "start with this image: a .dat data file or a raw image of 42,496 bytes (main 40,960 + "
                   "auxiliary 1,280 + local 256)")
        ->option_text("FILE");
    app.add_flag("--unprogrammed", options.config.unprogrammed, "identify as an unprogrammed unit");
    app.add_option("--write-password", raw.writePassword,
                   "require this write password (1 to 6 letters or digits)")
        ->option_text("TEXT");
    app.add_option("--message-password", raw.messagePassword,
                   "hold this embedded-message password at 0xFD40 (1 to 6 letters or digits); without it a "
                   "default image has none and an --image keeps its own")
        ->option_text("TEXT");
    app.add_option("--hunt-baud", raw.huntBaud,
                   "line speed the repeater answers a mode entry at (default 9600)")
        ->option_text("BAUD");
    app.add_flag("--pace", options.pace,
                 "cost every byte its wire time, 11 bits at the current speed; a frame is acted on only when "
                 "it would have arrived");
    app.add_option("--dump", options.dumpPath,
                   "write the repeater's image (raw, 42,496 bytes) to FILE whenever a session ends and when "
                   "the program ends")
        ->option_text("FILE");
    app.add_option("--seed", raw.seed, "seed of the key seed bytes and of the noise")->option_text("N");
    const std::string faults = "Faults";
    app.add_option("--bad-checksum", raw.badChecksum, "the next N block-read replies carry a wrong checksum")
        ->option_text("N")
        ->group(faults);
    app.add_option("--no-answer", raw.noAnswer,
                   "leave command CMD unanswered N times (-1 or no count: always); CMD is one character (E) "
                   "or a byte value (0xE7); may repeat")
        ->option_text("CMD[:N]")
        ->group(faults)
        ->expected(1)
        ->take_all();
    app.add_option("--nak", raw.nak, "answer command CMD with NAK N times (default once); may repeat")
        ->option_text("CMD[:N]")
        ->group(faults)
        ->expected(1)
        ->take_all();
    app.add_option("--noise", raw.noise, "send N junk bytes between SYN and ACK")
        ->option_text("N")
        ->group(faults);
    app.add_option("--slow-prepare", raw.slowPrepare,
                   "answer the prepare-for-writing command after MS milliseconds")
        ->option_text("MS")
        ->group(faults);
    app.add_option("--die-at-block", raw.dieAtBlock,
                   "stop answering for good when block N is read or written")
        ->option_text("N")
        ->group(faults);
    app.add_option(
           "--store-wrong", raw.storeWrong,
           "acknowledge block N when it is written but keep its first byte with its lowest bit flipped")
        ->option_text("N")
        ->group(faults);
}

// The checks the library cannot make; an empty text when every value is good.
std::string apply(const RawOptions& raw, SimProgramOptions& options)
{
    if (!raw.modelCode.empty()) {
        const std::optional<long> number = parseNumber(raw.modelCode);
        if (!number || *number < 0 || *number > 0xFFFF || findBandRow(static_cast<uint16_t>(*number)) < 0)
            return "unknown model code: " + raw.modelCode;
        options.modelCode = static_cast<uint16_t>(*number);
    }
    if (!raw.writePassword.empty()) {
        options.config.writePassword = parsePassword(raw.writePassword);
        if (!options.config.writePassword)
            return "a write password is 1 to 6 letters or digits";
    }
    if (!raw.messagePassword.empty()) {
        const std::optional<std::array<uint8_t, 6>> padded = parsePassword(raw.messagePassword);
        if (!padded)
            return "a message password is 1 to 6 letters or digits";
        // The repeater holds the message password padded with 0x00.
        std::array<uint8_t, 6> bytes{};
        std::copy_n(padded->begin(), raw.messagePassword.size(), bytes.begin());
        options.config.messagePassword = bytes;
    } else if (options.imagePath.empty()) {
        options.config.messagePassword = std::array<uint8_t, 6>{0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF};
    }
    if (!raw.huntBaud.empty()) {
        const std::optional<long> number = parseNumber(raw.huntBaud);
        if (!number || *number <= 0)
            return "bad speed: " + raw.huntBaud;
        options.config.huntBaud = static_cast<uint32_t>(*number);
    }
    if (!raw.seed.empty()) {
        const std::optional<long> number = parseNumber(raw.seed);
        if (!number)
            return "bad seed: " + raw.seed;
        options.config.seed = static_cast<uint32_t>(*number);
    }
    SimFaults& faults = options.config.faults;
    const std::pair<const char*, std::pair<const std::string*, int*>> counts[] = {
        {"--bad-checksum", {&raw.badChecksum, &faults.badChecksums}},
        {"--noise", {&raw.noise, &faults.noiseBytes}},
        {"--slow-prepare", {&raw.slowPrepare, &faults.prepareDelayMs}},
        {"--die-at-block", {&raw.dieAtBlock, &faults.dieAtBlock}},
        {"--store-wrong", {&raw.storeWrong, &faults.storeWrongBlock}},
    };
    for (const auto& [name, field] : counts) {
        if (field.first->empty())
            continue;
        const std::optional<long> number = parseNumber(*field.first);
        if (!number || *number < 0 || *number > 1000000)
            return std::string("bad number for ") + name + ": " + *field.first;
        *field.second = static_cast<int>(*number);
    }
    for (const std::string& value : raw.noAnswer) {
        if (!parseFault(value, -1, faults.silentCommands))
            return "bad command for --no-answer: " + value;
    }
    for (const std::string& value : raw.nak) {
        if (!parseFault(value, 1, faults.nakCommands))
            return "bad command for --nak: " + value;
    }
    return {};
}

const char* kDescription =
    "A simulated repeater on a pseudo-terminal: it answers the programming protocol as a "
    "QLM-640/QLM-940 repeater would. The pseudo-terminal's path is printed on start-up, "
    "then the link's.";

} // namespace

std::string simUsage()
{
    SimProgramOptions options;
    RawOptions raw;
    CLI::App app(kDescription, "rps360t-sim");
    describe(app, options, raw);
    return app.help();
}

ParsedOptions parseSimOptions(int argc, const char* const* argv)
{
    SimProgramOptions options;
    options.linkPath = defaultSimulatorLinkPath();
    options.config.seed = std::random_device{}();
    RawOptions raw;
    CLI::App app(kDescription, "rps360t-sim");
    describe(app, options, raw);
    ParsedOptions result;
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        options.help = true;
        result.options = options;
        return result;
    } catch (const CLI::CallForVersion&) {
        options.version = true;
        result.options = options;
        return result;
    } catch (const CLI::ParseError& error) {
        result.error = error.what();
        return result;
    }
    result.error = apply(raw, options);
    if (result.error.empty())
        result.options = options;
    return result;
}

} // namespace rps::sim
