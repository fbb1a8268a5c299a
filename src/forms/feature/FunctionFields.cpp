#include "forms/feature/FunctionFields.h"

#include "forms/feature/FunctionAvailability.h"
#include "forms/feature/FunctionTable.h"
#include "forms/fields/FieldRules.h"

namespace rps::feature {

using namespace fields;

namespace {

std::string functionName(uint32_t raw, const FieldEnv& env)
{
    const FunctionEntry* entry = raw <= 0xFFFF ? findFunction(static_cast<uint16_t>(raw)) : nullptr;
    return entry ? env.text(entry->nameText) : std::string();
}

// A name typed for a function field is looked up in the whole table; the field's rules decide
// whether it is offered there.
CodecParse parseFunctionName(std::string_view text, const FieldEnv& env)
{
    for (const FunctionEntry& entry : functionTable()) {
        if (env.text(entry.nameText) == text)
            return {entry.code, false};
    }
    return {0x2020, false};
}

} // namespace

const FieldCodec kFunctionNameCodec{functionName, parseFunctionName};

std::vector<Choice> functionChoices(FunctionContext context, std::span<const uint8_t> mainArea)
{
    std::vector<Choice> list;
    for (uint16_t code : offeredFunctions(context, mainArea)) {
        if (const FunctionEntry* entry = findFunction(code))
            list.push_back({code, entry->nameText});
    }
    return list;
}

} // namespace rps::feature
