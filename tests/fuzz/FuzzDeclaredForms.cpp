// Hostile configurations under every declared form: whatever the stored bytes say (channel
// numbers, port modes, record numbers, function codes), showing, listing and editing each
// field must stay inside the image.
//
// Input: a count of patches, that many (offset high, offset low, value) triples written into
// a new image's main area, then edits, each a field number, an action and a text.
#include "forms/FieldForms.h"
#include "model/DefaultBuilder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::string text(std::size_t length)
    {
        std::string out;
        while (out.size() < length && !empty())
            out.push_back(static_cast<char>(byte()));
        return out;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void showEveryField(const rps::DeclaredForm& form, rps::fields::FieldEngine& engine)
{
    for (const rps::FieldEntry& entry : rps::listFields(form, engine)) {
        engine.shown(*entry.row, entry.record);
        engine.enabled(*entry.row, entry.record);
        engine.choiceLabels(*entry.row, entry.record);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    // A new image is made once; each run starts from a copy.
    static const std::unique_ptr<rps::ConfigImage> fresh = [] {
        auto made = std::make_unique<rps::ConfigImage>();
        rps::InstallationId id;
        id.fill(0x11);
        rps::newImage(*made, id);
        return made;
    }();
    Input input(data, size);
    auto image = std::make_unique<rps::ConfigImage>(*fresh);
    std::span<uint8_t> main = image->main();
    for (int patches = input.byte(); patches > 0 && !input.empty(); --patches) {
        const std::size_t offset = (static_cast<std::size_t>(input.byte()) << 8 | input.byte()) % main.size();
        main[offset] = input.byte();
    }

    rps::fields::FieldEnv env;
    env.texts = [](int number) { return "T" + std::to_string(number); };
    for (const rps::DeclaredForm& form : rps::declaredForms()) {
        const auto session = form.open(*image, env);
        showEveryField(form, session->engine());
    }

    // Edits, each followed by a look at every field of the form it changed.
    while (!input.empty()) {
        const auto forms = rps::declaredForms();
        const rps::DeclaredForm& form = forms[input.byte() % forms.size()];
        const auto session = form.open(*image, env);
        rps::fields::FieldEngine& engine = session->engine();
        const std::vector<rps::FieldEntry> entries = rps::listFields(form, engine);
        const uint8_t pick = input.byte();
        const uint8_t action = input.byte();
        const std::string text = input.text(action >> 4);
        if (entries.empty())
            continue;
        const rps::FieldEntry& entry = entries[pick % entries.size()];
        switch (action & 3) {
        case 0:
            rps::enterFieldText(engine, entry, text);
            break;
        case 1:
            engine.spin(*entry.row, entry.record, +1);
            break;
        case 2:
            engine.spin(*entry.row, entry.record, -1);
            break;
        default:
            engine.commitText(*entry.row, entry.record, text);
            break;
        }
        showEveryField(form, engine);
    }
    return 0;
}
