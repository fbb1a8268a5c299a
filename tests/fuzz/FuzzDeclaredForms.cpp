// Hostile configurations under a declared form: whatever the stored bytes say (channel
// numbers, port modes, record numbers, function codes), showing and editing a field must stay
// inside the image. Each input takes one form and a handful of its fields, so a run is cheap
// and a minute explores many configurations; every field of every form is swept by the unit
// test DeclaredFormsSweep.
//
// Input: the form, a count of patches and that many (offset high, offset low, value) triples
// written into a new image's main area, the fields to look at first (a count, then each as two
// bytes), then edits, each a field (two bytes), an action (low two bits: enter, spin up, spin
// down, commit; high four bits: the text's length) and a text. After each edit the edited field
// is looked at.
#include "FormDrive.h"

#include <cstdint>
#include <memory>
#include <string>

namespace {

constexpr int kMostPatches = 32;
constexpr int kMostLooks = 4;
constexpr int kMostEdits = 8;

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool empty() const { return at_ >= size_; }
    uint8_t byte() { return at_ < size_ ? data_[at_++] : 0; }
    std::size_t word() { return static_cast<std::size_t>(byte()) << 8 | byte(); }
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

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    using namespace rps;
    Input input(data, size);
    const auto forms = declaredForms();
    const DeclaredForm& form = forms[input.byte() % forms.size()];
    auto image = std::make_unique<ConfigImage>(test::freshImage());
    std::span<uint8_t> main = image->main();
    for (int patches = input.byte() % (kMostPatches + 1); patches > 0 && !input.empty(); --patches) {
        const std::size_t offset = input.word() % main.size();
        main[offset] = input.byte();
    }

    static const fields::FieldEnv env = test::fuzzFieldEnv();
    const auto session = form.open(*image, env);
    fields::FieldEngine& engine = session->engine();
    const std::vector<FieldEntry> entries = listFields(form, engine);
    if (entries.empty())
        return 0;
    for (int looks = input.byte() % (kMostLooks + 1); looks > 0 && !input.empty(); --looks)
        test::lookAtField(engine, entries[input.word() % entries.size()]);

    for (int edits = 0; edits < kMostEdits && !input.empty(); ++edits) {
        const std::size_t pick = input.word() % entries.size();
        const uint8_t action = input.byte();
        const std::string text = input.text(action >> 4);
        test::editField(engine, entries[pick], static_cast<test::FieldEdit>(action % test::kFieldEditCount),
                        text);
        test::lookAtField(engine, entries[pick]);
    }
    return 0;
}
