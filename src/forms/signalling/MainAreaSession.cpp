#include "forms/signalling/MainAreaSession.h"

namespace rps::signalling {

namespace {

class MainAreaSession : public FieldFormSession {
public:
    MainAreaSession(fields::FieldTable table, ConfigImage& image, const fields::FieldEnv& env,
                    std::unique_ptr<fields::FieldRules> rules)
        : records_(image.main()), rules_(std::move(rules)),
          engine_(table, records_, {image.main(), image.aux(), image.local()}, env, rules_.get())
    {
    }
    fields::FieldEngine& engine() override { return engine_; }

private:
    fields::GlobalRecords records_;
    std::unique_ptr<fields::FieldRules> rules_;
    fields::FieldEngine engine_;
};

} // namespace

std::unique_ptr<FieldFormSession> openMainAreaForm(fields::FieldTable table, ConfigImage& image,
                                                   const fields::FieldEnv& env,
                                                   std::unique_ptr<fields::FieldRules> rules)
{
    return std::make_unique<MainAreaSession>(table, image, env, std::move(rules));
}

} // namespace rps::signalling
