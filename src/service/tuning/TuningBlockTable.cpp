#include "service/tuning/TuningBlockTable.h"

#include "forms/fields/FieldRecords.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <string_view>
#include <vector>

namespace rps {

using namespace fields;

namespace {

// Points of a seven-point item (its six frequency points) and of a six-point item (five).
constexpr std::array<int, 6> kSixPoints{699, 727, 701, 700, 728, 702};
constexpr std::array<int, 5> kFivePoints{693, 694, 695, 696, 697};

std::string formatCode4(uint32_t raw, const FieldEnv&)
{
    return std::to_string(rangeCode4Shown(static_cast<int>(raw)));
}

CodecParse parseCode4(std::string_view text, const FieldEnv&)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long shown = 0;
    std::from_chars(text.data(), text.data() + text.size(), shown);
    shown = std::clamp<long long>(shown, -1000, 1000);
    // A typed value beyond the ends clamps, as typed numbers do: the raw byte stays within 0..123.
    return {static_cast<uint32_t>(std::min(rangeCode4Raw(static_cast<int>(shown)), 123)), false};
}

constexpr FieldCodec kCode4Codec{formatCode4, parseCode4};

struct Table {
    std::vector<std::string> keys;
    std::vector<FieldRow> rows;
    std::vector<TuningRowLabel> labels;

    Table()
    {
        keys.reserve(kTuningBlockRows);
        rows.reserve(kTuningBlockRows);
        build();
        // The keys are made first so the rows' views of them stay put.
        for (std::size_t i = 0; i < rows.size(); ++i)
            rows[i].key = keys[i];
    }

    void add(Storage storage, Range range, TuningRowLabel label, const FieldCodec* codec = nullptr)
    {
        keys.push_back(std::to_string(rows.size() + 1));
        FieldRow row =
            spin(static_cast<int>(rows.size()), {}, label.itemText, storage.in(Area::Record), range);
        if (range.min < 0)
            row.input = {CharFilterKind::SignedDigits, 0};
        row.codec = codec;
        rows.push_back(row);
        labels.push_back(label);
    }

    // A stored value 0..max shown as 1..max + 1.
    void value(int item, int key, std::size_t offset, int size, int point)
    {
        const uint32_t max = size == 1 ? 255 : size == 2 ? (offset < 28 || offset >= 186 ? 4095 : 1023) : 0;
        add((size == 1 ? u8(offset) : u16(offset)).shownPlus(1), Range{1, double(max) + 1, 1},
            {item, point, key});
    }
    template <std::size_t N>
    void run(int item, int key, std::size_t offset, int size, const std::array<int, N>& points)
    {
        for (std::size_t i = 0; i < N; ++i)
            value(item, key, offset + i * static_cast<std::size_t>(size), size, points[i]);
    }
    void singles(std::initializer_list<std::pair<int, int>> itemsAndKeys, std::size_t offset, int size)
    {
        for (const auto& [item, key] : itemsAndKeys) {
            value(item, key, offset, size, 0);
            offset += static_cast<std::size_t>(size);
        }
    }

    void build()
    {
        run(279, 0, 8, 2, kSixPoints);
        run(280, 1, 20, 1, kSixPoints);
        add(u16(0).shownPlus(1), Range{1, 4096, 1}, {338, 0, 8});
        add(s16(2), Range{-32767, 32767, 1}, {339, 0, 8});
        add(u32(4), Range{100000000, 550000000, 1}, {340, 0, 8});
        // The gain balance value, named as its adjustment item (key 71).
        add(u8(26), Range{0, 123, 1}, {282, 0, 71}, &kCode4Codec);
        run(262, 35, 28, 2, kFivePoints);
        run(263, 37, 38, 2, kFivePoints);
        run(284, 34, 48, 1, kFivePoints);
        run(285, 36, 53, 1, kFivePoints);
        run(288, 43, 58, 1, kSixPoints);
        run(289, 43, 64, 1, kSixPoints);
        singles({{400, 11}, {431, 10}, {445, 9}, {402, 14}, {432, 13}, {446, 12}}, 70, 1);
        singles({{410, 42}, {433, 41}, {447, 40}, {408, 39}, {407, 38}}, 76, 2);
        singles({{404, 49}, {434, 48}, {448, 47}, {406, 46}, {435, 45}, {449, 44}}, 86, 1);
        singles({{412, 52},
                 {436, 51},
                 {450, 50},
                 {414, 55},
                 {437, 54},
                 {451, 53},
                 {420, 58},
                 {440, 57},
                 {454, 56},
                 {416, 64},
                 {438, 63},
                 {452, 62}},
                92, 2);
        singles({{418, 61},
                 {439, 60},
                 {453, 59},
                 {422, 67},
                 {441, 66},
                 {455, 65},
                 {372, 70},
                 {442, 69},
                 {456, 68}},
                116, 1);
        const std::array<std::pair<int, int>, 5> lock{{{286, 2}, {287, 3}, {276, 6}, {275, 5}, {277, 7}}};
        for (std::size_t i = 0; i < lock.size(); ++i)
            run(lock[i].first, lock[i].second, 125 + 5 * i, 1, kFivePoints);
        add(u8(150).shownPlus(-128), Range{-128, -1, 1}, {278, 0, 4});
        const std::array<std::pair<int, int>, 7> squelch{
            {{361, 17}, {430, 16}, {444, 15}, {268, 18}, {359, 21}, {429, 20}, {443, 19}}};
        for (std::size_t i = 0; i < squelch.size(); ++i)
            run(squelch[i].first, squelch[i].second, 151 + 5 * i, 1, kFivePoints);
        run(290, kNoTuningItem, 186, 2, kFivePoints);
        run(291, kNoTuningItem, 196, 2, kFivePoints);
        run(292, 22, 206, 1, kFivePoints);
        run(293, kNoTuningItem, 211, 1, kFivePoints);
        run(294, kNoTuningItem, 216, 2, kFivePoints);
        run(295, kNoTuningItem, 226, 2, kFivePoints);
        for (int j = 0; j < 10; ++j) {
            const auto base = static_cast<std::size_t>(236 + 30 * j);
            run(296 + 4 * j, 23 + j, base, 1, kFivePoints);
            run(297 + 4 * j, kNoTuningItem, base + 5, 1, kFivePoints);
            run(298 + 4 * j, kNoTuningItem, base + 10, 2, kFivePoints);
            run(299 + 4 * j, kNoTuningItem, base + 20, 2, kFivePoints);
        }
        run(336, 33, 536, 1, kFivePoints);
        run(337, kNoTuningItem, 541, 1, kFivePoints);
    }
};

const Table& table()
{
    static const Table built;
    return built;
}

class TuningBlockSession : public FieldFormSession {
public:
    TuningBlockSession(TuningBlockBytes& block, const FieldEnv& env)
        : records_(std::span<uint8_t>(block)), engine_(tuningBlockFields(), records_, {}, env)
    {
    }
    FieldEngine& engine() override { return engine_; }

private:
    GlobalRecords records_;
    FieldEngine engine_;
};

} // namespace

FieldTable tuningBlockFields()
{
    return table().rows;
}

std::span<const TuningRowLabel> tuningBlockLabels()
{
    return table().labels;
}

std::string tuningRowLabel(int row, const FieldEnv& env)
{
    const TuningRowLabel& label = table().labels.at(static_cast<std::size_t>(row));
    std::string text = env.text(label.itemText);
    if (label.pointText) {
        text += ' ';
        text += env.text(label.pointText);
    }
    return text;
}

int rangeCode4Shown(int raw)
{
    if (raw <= 62)
        return raw - 62;
    if (raw <= 122)
        return raw - 61;
    return 62;
}

int rangeCode4Raw(int shown)
{
    if (shown < -62)
        return 0;
    if (shown <= 0)
        return shown + 62;
    if (shown == 1)
        return 62; // +1 has no raw value of its own: it is stored as 0 is
    if (shown <= 62)
        return shown + 61;
    return 124;
}

std::unique_ptr<FieldFormSession> openTuningBlock(TuningBlockBytes& block, const FieldEnv& env)
{
    return std::make_unique<TuningBlockSession>(block, env);
}

} // namespace rps
