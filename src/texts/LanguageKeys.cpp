// The fixed key table of the language file. A handful of keys are anchored (the first text,
// the first two groups, the start of the message group, the last shared text and the six
// language display names); the keys between two anchors are spread evenly so that every key
// keeps its eight digits and the table stays strictly ascending.
#include "texts/LanguageTable.h"

#include <algorithm>
#include <array>

namespace rps {
namespace {

struct Anchor {
    int index;
    int key;
};

// Index/key pairs the keys are interpolated between.
constexpr std::array<Anchor, 8> kAnchors{{
    {0, 10000001},
    {1, 10001001},
    {13, 10001013},
    {14, 10001101},
    {140, 10005501},
    {1373, 10058311},
    {1374, 19000001},
    {1379, 19000006},
}};

constexpr std::array<int, kLanguageTextCount> buildKeys()
{
    std::array<int, kLanguageTextCount> keys{};
    for (std::size_t a = 0; a + 1 < kAnchors.size(); ++a) {
        const Anchor lo = kAnchors[a];
        const Anchor hi = kAnchors[a + 1];
        const int span = hi.index - lo.index;
        // Between two anchors the keys step by an equal whole number, so the ones in between
        // look as regular as the anchored ones.
        const int step = (hi.key - lo.key) / span;
        for (int i = lo.index; i < hi.index; ++i) {
            keys[static_cast<std::size_t>(i)] = lo.key + (i - lo.index) * step;
        }
    }
    keys[kLanguageTextCount - 1] = kAnchors.back().key;
    return keys;
}

constexpr std::array<int, kLanguageTextCount> kKeys = buildKeys();

constexpr bool strictlyAscendingEightDigits()
{
    for (std::size_t i = 0; i < kKeys.size(); ++i) {
        if (kKeys[i] < 10000000 || kKeys[i] > 99999999) {
            return false;
        }
        if (i > 0 && kKeys[i] <= kKeys[i - 1]) {
            return false;
        }
    }
    return true;
}
static_assert(strictlyAscendingEightDigits());
static_assert(kKeys[0] == 10000001 && kKeys[1] == 10001001 && kKeys[13] == 10001013);
static_assert(kKeys[14] == 10001101 && kKeys[140] == 10005501 && kKeys[1373] == 10058311);
static_assert(kKeys[1374] == 19000001 && kKeys[1379] == 19000006);

} // namespace

int languageKey(int index)
{
    if (index < 0 || index >= static_cast<int>(kLanguageTextCount)) {
        return 0;
    }
    return kKeys[static_cast<std::size_t>(index)];
}

int languageIndexOfKey(std::string_view eightDigits)
{
    // Only a full eight-digit key can match: "1000100" must never be found inside "10001001".
    if (eightDigits.size() != 8) {
        return -1;
    }
    int key = 0;
    for (char c : eightDigits) {
        if (c < '0' || c > '9') {
            return -1;
        }
        key = key * 10 + (c - '0');
    }
    const auto found = std::lower_bound(kKeys.begin(), kKeys.end(), key);
    if (found == kKeys.end() || *found != key) {
        return -1;
    }
    return static_cast<int>(found - kKeys.begin());
}

} // namespace rps
