#include "forms/ImageComparison.h"

#include "forms/FieldForms.h"
#include "model/ImageChecks.h"
#include "model/ImageMap.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <iterator>
#include <list>
#include <memory>
#include <optional>
#include <unordered_map>

namespace rps {

using namespace fields;

namespace {

struct Stamp {
    std::string_view name;
    int text;
    std::size_t offset;
    std::size_t length;
};

// What every save and write stamps into the main area before the bytes leave.
constexpr std::array<Stamp, 4> kStamps{{
    {"data-version", kStampVersionText, kDataVersionOffset, 5},
    {"data-format", kStampFormatText, kDataFormatOffset, 3},
    {"installation-id", kStampInstallationText, kInstallationIdOffset, kInstallationIdSize},
    {"checksum", kStampChecksumText, kChecksumOffset, 2},
}};

bool isStampByte(std::size_t offset)
{
    return std::any_of(kStamps.begin(), kStamps.end(), [offset](const Stamp& stamp) {
        return offset >= stamp.offset && offset < stamp.offset + stamp.length;
    });
}

// The bytes of each compared area that a differing field holds.
struct Covered {
    std::vector<bool> main = std::vector<bool>(kMainSize);
    std::vector<bool> aux = std::vector<bool>(kAuxSize);

    void add(const FieldEngine& engine, const FieldEntry& entry)
    {
        const auto bytes = engine.bytesInImage(*entry.row, entry.record);
        if (!bytes || (bytes->area != Area::Main && bytes->area != Area::Aux))
            return;
        std::vector<bool>& marks = bytes->area == Area::Main ? main : aux;
        const std::size_t end = std::min(bytes->offset + bytes->length, marks.size());
        for (std::size_t i = bytes->offset; i < end; ++i)
            marks[i] = true;
    }
};

// The fields of both images in one list, each key once: the first image's order, a key only
// the second has placed after the key it follows there.
struct FieldPair {
    std::optional<FieldEntry> first;
    std::optional<FieldEntry> second;
};

std::list<FieldPair> pairFields(std::vector<FieldEntry> first, std::vector<FieldEntry> second)
{
    std::list<FieldPair> pairs;
    std::unordered_map<std::string, std::list<FieldPair>::iterator> byKey;
    for (FieldEntry& entry : first) {
        const std::string key = entry.key;
        byKey[key] = pairs.insert(pairs.end(), FieldPair{std::move(entry), std::nullopt});
    }
    auto cursor = pairs.begin();
    for (FieldEntry& entry : second) {
        if (const auto found = byKey.find(entry.key); found != byKey.end()) {
            found->second->second = std::move(entry);
            cursor = std::next(found->second);
        } else {
            const std::string key = entry.key;
            byKey[key] = pairs.insert(cursor, FieldPair{std::nullopt, std::move(entry)});
        }
    }
    return pairs;
}

void compareForm(const DeclaredForm& form, ConfigImage& first, const FieldEnv& firstEnv, ConfigImage& second,
                 const FieldEnv& secondEnv, ImageComparison& result, Covered& covered)
{
    const auto firstSession = form.open(first, firstEnv);
    const auto secondSession = form.open(second, secondEnv);
    FieldEngine& a = firstSession->engine();
    FieldEngine& b = secondSession->engine();
    for (const FieldPair& pair : pairFields(listFields(form, a), listFields(form, b))) {
        const std::string shownFirst =
            pair.first ? a.shown(*pair.first->row, pair.first->record) : std::string();
        const std::string shownSecond =
            pair.second ? b.shown(*pair.second->row, pair.second->record) : std::string();
        if (shownFirst == shownSecond)
            continue;
        const FieldEntry& named = pair.first ? *pair.first : *pair.second;
        FieldEngine& engine = pair.first ? a : b;
        FieldDifference difference;
        difference.formKey = form.key;
        difference.formText = form.titleText;
        difference.record = engine.records().recordKey(named.record);
        difference.key = named.key;
        difference.caption = fieldCaption(engine, named);
        difference.first = shownFirst;
        difference.second = shownSecond;
        result.fields.push_back(std::move(difference));
        if (pair.first)
            covered.add(a, *pair.first);
        if (pair.second)
            covered.add(b, *pair.second);
    }
}

// Runs of differing bytes that are neither stamps nor held by a differing field.
void compareBytes(Area area, std::span<const uint8_t> first, std::span<const uint8_t> second,
                  const std::vector<bool>& covered, std::vector<ByteDifference>& out)
{
    ByteDifference* run = nullptr;
    for (std::size_t i = 0; i < first.size(); ++i) {
        const bool listed = first[i] != second[i] && !covered[i] && !(area == Area::Main && isStampByte(i));
        if (!listed) {
            run = nullptr;
            continue;
        }
        if (!run) {
            out.push_back({area, i, {}, {}});
            run = &out.back();
        }
        run->first.push_back(first[i]);
        run->second.push_back(second[i]);
    }
}

} // namespace

ImageComparison compareImages(const ComparedImage& first, const ComparedImage& second)
{
    ImageComparison result;
    // The forms are opened over copies: opening one never touches the images compared.
    auto a = std::make_unique<ConfigImage>();
    auto b = std::make_unique<ConfigImage>();
    a->working() = first.areas;
    b->working() = second.areas;
    Covered covered;
    for (const DeclaredForm& form : declaredForms())
        compareForm(form, *a, first.env, *b, second.env, result, covered);

    compareBytes(Area::Main, first.areas.main, second.areas.main, covered.main, result.bytes);
    compareBytes(Area::Aux, first.areas.aux, second.areas.aux, covered.aux, result.bytes);

    for (const Stamp& stamp : kStamps) {
        const auto from = first.areas.main.begin() + static_cast<std::ptrdiff_t>(stamp.offset);
        const auto to = second.areas.main.begin() + static_cast<std::ptrdiff_t>(stamp.offset);
        const auto length = static_cast<std::ptrdiff_t>(stamp.length);
        if (std::equal(from, from + length, to))
            continue;
        result.stamps.push_back({std::string(stamp.name),
                                 stamp.text,
                                 {Area::Main, stamp.offset, {from, from + length}, {to, to + length}}});
    }
    return result;
}

std::string areaName(Area area)
{
    switch (area) {
    case Area::Aux:
        return "aux";
    case Area::Local:
        return "local";
    case Area::Main:
    case Area::Record:
        break;
    }
    return "main";
}

std::string hexBytes(const std::vector<uint8_t>& bytes)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text;
    for (const uint8_t byte : bytes) {
        if (!text.empty())
            text += ' ';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 0x0F];
    }
    return text;
}

std::string hexOffset(std::size_t offset)
{
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, "0x%04zX", offset);
    return buffer;
}

} // namespace rps
