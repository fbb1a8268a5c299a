#include "forms/feature/KeyFields.h"

#include "forms/feature/FeatureEdits.h"
#include "forms/feature/FunctionFields.h"
#include "model/FeatureMap.h"

namespace rps::feature {

using namespace fields;

const std::array<FieldRow, 1> kKeyFields{{
    list(kKeyItemFunction, "function", kTextFunction, u16(0)).coded(kFunctionNameCodec),
}};

std::optional<std::vector<Choice>> KeyFieldRules::choices(const FieldRow&, int) const
{
    return functionChoices(FunctionContext::kKeys, main_);
}

StoreStep KeyFieldRules::beforeStore(FieldEdit& edit, EditResult& result)
{
    // The key's slots and its remote-control entry are written together.
    if (setKeyFunction(main_, edit.record + 1, static_cast<uint16_t>(edit.raw))) {
        result.changed = true;
        result.touched |= kTouchesMain;
    }
    return StoreStep::Done;
}

namespace {

class KeySession : public FieldFormSession {
public:
    KeySession(ConfigImage& image, const FieldEnv& env)
        : records_(image.main(), kKeyFunctions, kGroupStride, kGroupStride, kKeyCount), rules_(image.main()),
          engine_(kKeyFields, records_, {image.main(), image.aux(), image.local()}, env, &rules_)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    StrideRecords records_;
    KeyFieldRules rules_;
    FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openKeyFields(ConfigImage& image, const FieldEnv& env)
{
    return std::make_unique<KeySession>(image, env);
}

} // namespace rps::feature
