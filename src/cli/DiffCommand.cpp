// diff: what differs between two data files, field by field, then the bytes no differing field
// holds, then the stamps a save or write sets. Equal images print nothing.
#include "cli/CliCommand.h"
#include "cli/JsonLines.h"
#include "cli/OpenedFile.h"
#include "forms/ImageComparison.h"

#include <array>
#include <ostream>

namespace rps::cli {

namespace {

constexpr std::string_view kDiffUsage = "diff A.dat B.dat [--json]";
constexpr int kExitDifferent = 1;
// A file that cannot be opened is trouble, not a difference: 2, as for a usage error.
constexpr int kExitTrouble = 2;

constexpr int kSetByTheWriteText = 457;
constexpr int kUnnamedBytesText = 458;

std::string quoted(const std::string& value)
{
    return "\"" + value + "\"";
}

void printText(const CliContext& context, const ImageComparison& comparison)
{
    for (const FieldDifference& field : comparison.fields) {
        context.out << field.formKey << (field.record.empty() ? "" : " " + field.record) << " "
                    << quoted(field.caption) << " " << quoted(field.first) << " → " << quoted(field.second)
                    << "  [" << field.key << "]\n";
    }
    if (!comparison.bytes.empty()) {
        context.out << context.text(kUnnamedBytesText, "Bytes no field names") << ":\n";
        for (const ByteDifference& run : comparison.bytes)
            context.out << "  " << areaName(run.area) << " " << hexOffset(run.offset) << ": "
                        << hexBytes(run.first) << " → " << hexBytes(run.second) << "\n";
    }
    if (!comparison.stamps.empty()) {
        context.out << context.text(kSetByTheWriteText, "Set by the write") << ":\n";
        for (const StampDifference& stamp : comparison.stamps)
            context.out << "  " << stamp.name << " (" << areaName(stamp.bytes.area) << " "
                        << hexOffset(stamp.bytes.offset) << "): " << hexBytes(stamp.bytes.first) << " → "
                        << hexBytes(stamp.bytes.second) << "\n";
    }
}

nlohmann::ordered_json bytesJson(const ByteDifference& run)
{
    return {{"area", areaName(run.area)},
            {"offset", run.offset},
            {"first", hexBytes(run.first)},
            {"second", hexBytes(run.second)}};
}

void printJson(const CliContext& context, const ImageComparison& comparison)
{
    nlohmann::ordered_json fields = nlohmann::ordered_json::array();
    for (const FieldDifference& field : comparison.fields)
        fields.push_back({{"form", field.formKey},
                          {"record", field.record},
                          {"key", field.key},
                          {"caption", field.caption},
                          {"first", field.first},
                          {"second", field.second}});
    nlohmann::ordered_json bytes = nlohmann::ordered_json::array();
    for (const ByteDifference& run : comparison.bytes)
        bytes.push_back(bytesJson(run));
    nlohmann::ordered_json stamps = nlohmann::ordered_json::array();
    for (const StampDifference& stamp : comparison.stamps) {
        nlohmann::ordered_json entry = {{"stamp", stamp.name}};
        entry.update(bytesJson(stamp.bytes));
        stamps.push_back(std::move(entry));
    }
    const nlohmann::ordered_json document = {
        {"fields", fields}, {"bytes", bytes}, {"set-by-the-write", stamps}};
    context.out << jsonDocument(document);
}

int runDiff(CliContext& context, const CommandLine& options)
{
    if (options.positional().size() != 2)
        return context.usage(kDiffUsage);
    OpenedFile first;
    OpenedFile second;
    if (openFile(context, options.positional()[0], first) != kExitOk ||
        openFile(context, options.positional()[1], second) != kExitOk)
        return kExitTrouble;
    const ImageComparison comparison =
        compareImages({first.image->working(), first.env}, {second.image->working(), second.env});
    if (comparison.same())
        return kExitOk;
    if (options.has("--json"))
        printJson(context, comparison);
    else
        printText(context, comparison);
    return kExitDifferent;
}

constexpr CliOption kDiffOptions[] = {
    {"--json", "", "print the differences as a JSON object: fields, bytes and set-by-the-write"},
};
constexpr CliPositional kDiffPositionals[] = {
    {"A", "the first data file (A.dat)"},
    {"B", "the second data file (B.dat)"},
};
constexpr std::string_view kDiffFooter =
    "Lists every field whose shown value differs (form, record, caption, the value in A, the value\n"
    "in B, the key), then the differing bytes no differing field holds (area, offset, bytes), then\n"
    "the stamps every save and write sets (data version and format, installation identifier,\n"
    "checksum). Files whose images are equal print nothing, whatever their key bytes.\n"
    "Exit codes: 0 the images are equal; 1 they differ; 2 usage error or a file that cannot be\n"
    "opened.\n";

constexpr std::array<CliCommand, 1> kDiffCommands{{
    {"diff", kDiffUsage, "Compares two data files field by field.", kDiffOptions, kDiffPositionals, runDiff,
     kDiffFooter},
}};

} // namespace

std::span<const CliCommand> diffCommands()
{
    return kDiffCommands;
}

} // namespace rps::cli
