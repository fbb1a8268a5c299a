// show, set: the fields of a data file by stable key, through the same field tables, rules
// and engine as the forms. No field has code of its own here.
#include "cli/CliCommand.h"
#include "cli/JsonLines.h"
#include "cli/OpenedFile.h"
#include "cli/StoredValueNote.h"
#include "document/DocumentFlows.h"
#include "document/FileFailureText.h"
#include "forms/FieldForms.h"
#include "model/DataFile.h"
#include "model/DataFileFormat.h"
#include "model/ImageChecks.h"
#include "model/ModelBlock.h"

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <memory>
#include <ostream>

namespace rps::cli {

namespace {

constexpr std::string_view kShowUsage = "show FILE.dat [--json] [KEY-PREFIX]";
constexpr std::string_view kSetUsage = "set FILE.dat KEY=TEXT... [--strict] [-o OUT.dat]";

constexpr std::string_view kKeyHelp =
    "Field keys: FORM[.RECORD].FIELD, for example channel.3.rx-frequency or beat-shift.3.option-1.\n"
    "  FORM    the form that edits the field (channel, beat-shift)\n"
    "  RECORD  what the record is, counted from 1 (channel 1-30); absent for forms of one record\n"
    "  FIELD   the field's name within its form\n"
    "Keys are stable between versions. show lists every field with its key, value and caption;\n"
    "set takes a value exactly as typed into the field on its form (filtered, clamped, rounded\n"
    "and completed the same way), a list entry by the label show prints (letter case ignored),\n"
    "a check box by its on or off label. Warnings go to standard error, and so does every value\n"
    "stored differently from what was typed, as KEY: \"TYPED\" stored as \"SHOWN\" (LIMIT);\n"
    "--strict makes those failures. A refused value or a field that cannot be edited for its\n"
    "record fails and nothing is saved.\n";

// "a", "b", "c": the labels a list offers, as set takes them.
std::string quotedList(const std::vector<std::string>& labels)
{
    std::string out;
    for (const std::string& label : labels)
        out += (out.empty() ? "\"" : ", \"") + label + "\"";
    return out.empty() ? "none" : out;
}

// A prefix names whole key parts ("channel.1" is channel 1, not channels 10-19); one that ends
// inside a part no key has ("channel.3.rx") takes every key that starts with it.
bool underPrefix(std::string_view key, std::string_view prefix, bool wholeParts)
{
    if (prefix.empty() || key == prefix)
        return true;
    return key.starts_with(prefix) && (!wholeParts || key[prefix.size()] == '.');
}

int runShow(CliContext& context, const CommandLine& options)
{
    if (options.positional().empty() || options.positional().size() > 2)
        return context.usage(kShowUsage);
    const std::string prefix = options.positional().size() == 2 ? options.positional()[1] : std::string();
    OpenedFile file;
    if (const int status = openFile(context, options.positional()[0], file); status != kExitOk)
        return status;
    const bool json = options.has("--json");
    bool wholeParts = false;
    for (const DeclaredForm& form : declaredForms()) {
        const auto session = form.open(*file.image, file.env);
        for (const FieldEntry& field : listFields(form, session->engine()))
            wholeParts = wholeParts || underPrefix(field.key, prefix, true);
    }
    bool first = true;
    if (json)
        context.out << "[";
    for (const DeclaredForm& form : declaredForms()) {
        const auto session = form.open(*file.image, file.env);
        fields::FieldEngine& engine = session->engine();
        for (const FieldEntry& field : listFields(form, engine)) {
            if (!underPrefix(field.key, prefix, wholeParts))
                continue;
            const std::string caption = fieldCaption(engine, field);
            const std::string value = engine.shown(*field.row, field.record);
            const bool enabled = engine.enabled(*field.row, field.record);
            if (json) {
                const nlohmann::ordered_json object = {
                    {"key", field.key}, {"caption", caption}, {"value", value}, {"enabled", enabled}};
                context.out << (first ? "\n" : ",\n") << "  " << jsonLine(object);
            } else {
                context.out << std::left << std::setw(34) << field.key << " = " << std::setw(14) << value
                            << " ; " << caption << (enabled ? "" : " (not editable)") << '\n';
            }
            first = false;
        }
    }
    if (json)
        context.out << (first ? "]\n" : "\n]\n");
    if (first && !prefix.empty())
        return context.fail("no field key starts with \"" + prefix + "\"");
    return kExitOk;
}

const DeclaredForm* formOfKey(std::string_view key)
{
    const std::string_view formKey = key.substr(0, key.find('.'));
    for (const DeclaredForm& form : declaredForms()) {
        if (form.key == formKey)
            return &form;
    }
    return nullptr;
}

int runSet(CliContext& context, const CommandLine& options)
{
    if (options.positional().size() < 2)
        return context.usage(kSetUsage);
    const std::vector<std::string>& positional = options.positional();
    for (std::size_t i = 1; i < positional.size(); ++i) {
        if (positional[i].find('=') == std::string::npos) {
            context.err << "not a KEY=TEXT assignment: \"" << positional[i] << "\"\n";
            return context.usage(kSetUsage);
        }
    }
    const std::string& path = positional[0];
    OpenedFile file;
    if (const int status = openFile(context, path, file); status != kExitOk)
        return status;

    // Every assignment in the order given; the first failure leaves the file untouched.
    bool changed = false;
    for (std::size_t i = 1; i < positional.size(); ++i) {
        const std::string& assignment = positional[i];
        const std::size_t equals = assignment.find('=');
        const std::string key = assignment.substr(0, equals);
        const std::string text = assignment.substr(equals + 1);
        const DeclaredForm* form = formOfKey(key);
        if (!form)
            return context.fail("unknown field key \"" + key + "\"");
        const auto session = form->open(*file.image, file.env);
        fields::FieldEngine& engine = session->engine();
        const auto field = findField(*form, engine, key);
        if (!field)
            return context.fail("unknown field key \"" + key + "\"");
        if (!engine.enabled(*field->row, field->record))
            return context.fail(key + ": this field cannot be edited for this record");
        const std::optional<std::string> typed = typedText(engine, *field, text);
        if (!typed)
            return context.fail(key + ": \"" + text + "\" has characters this field does not take");
        const fields::EditResult result = enterFieldText(engine, *field, *typed);
        if (result.refused) {
            // A value another record holds names that record.
            if (result.message && result.moveTo >= 0)
                return context.fail(key + ": " + file.env.text(result.message) + " (held by " +
                                    std::string(form->key) + "." + engine.records().recordKey(result.moveTo) +
                                    ")");
            if (result.message)
                return context.fail(key + ": " + file.env.text(result.message));
            if (field->row->storage.width == fields::Width::Text)
                return context.fail(key + ": \"" + text + "\" cannot be stored in this field" +
                                    (field->row->storage.textCodec == fields::TextCodec::DtmfDigits
                                         ? " (a code has at most 16 digits)"
                                         : ""));
            const bool order = field->row->control == fields::Control::Order;
            return context.fail(
                key + ": \"" + text + "\" is not " +
                (order ? "an order of the field's entries: " : "one of the field's choices: ") +
                quotedList(order ? engine.orderLabels(*field->row, field->record)
                                 : engine.choiceLabels(*field->row, field->record)));
        }
        if (result.message)
            context.err << key << ": " << file.env.text(result.message) << '\n';
        const std::string shown = engine.shown(*field->row, field->record);
        if (const auto limit = storedDifference(*field->row, text, shown)) {
            context.err << storedAsLine(key, text, shown, *limit) << '\n';
            changed = true;
        }
    }
    if (changed && options.has("--strict"))
        return context.fail(
            "--strict: a value would be stored differently from what was typed; nothing is saved");

    DataFileSettings settings;
    settings.encryptMode = file.encrypted;
    const std::string out = outputPath(options.value("-o").empty() ? path : options.value("-o"));
    const SaveResult saved = saveImage(out, *file.image, saveOptionsFor(settings, noInstallation()));
    if (saved.code != kSaveOk)
        return failSave(context, "The data file", out, saved.systemError);
    return kExitOk;
}

constexpr CliOption kShowOptions[] = {
    {"--json", "", "print the fields as a JSON array of objects with key, caption and value"},
};
constexpr CliOption kSetOptions[] = {
    {"-o", "OUT.dat", "save to this file instead of replacing FILE.dat (- for standard output)"},
    {"--strict", "", "fail and save nothing when a value is stored differently from what was typed"},
};

constexpr CliPositional kShowPositionals[] = {
    {"FILE", "the data file (FILE.dat)"},
    {"KEY-PREFIX", "a key or the start of keys (channel.3, features) to list only those", false},
};
constexpr CliPositional kSetPositionals[] = {
    {"FILE", "the data file (FILE.dat)"},
    {"KEY=TEXT", "assignments applied in order, all or nothing", true, true},
};

constexpr std::array<CliCommand, 2> kFieldCommands{{
    {"show", kShowUsage, "Lists every field of a data file with its key, caption and shown value.",
     kShowOptions, kShowPositionals, runShow, kKeyHelp},
    {"set", kSetUsage, "Enters values into fields by key, as typed into the forms, and saves the file.",
     kSetOptions, kSetPositionals, runSet, kKeyHelp},
}};

} // namespace

std::span<const CliCommand> fieldCommands()
{
    return kFieldCommands;
}

} // namespace rps::cli
