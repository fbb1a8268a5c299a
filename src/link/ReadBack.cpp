#include "link/ReadBack.h"

#include "link/LinkTexts.h"
#include "model/ConfigImage.h"
#include "texts/TextArguments.h"

#include <algorithm>
#include <cstdio>

namespace rps {

namespace {

constexpr std::size_t kBytesListed = 8;

void collect(bool aux, std::span<const uint8_t> sent, std::span<const uint8_t> read,
             std::vector<ReadBackBlock>& blocks)
{
    const std::size_t size = std::min(sent.size(), read.size());
    for (std::size_t offset = 0; offset < size; ++offset) {
        if (sent[offset] == read[offset])
            continue;
        const std::size_t block = offset / kBlockSize;
        if (blocks.empty() || blocks.back().aux != aux || blocks.back().block != block)
            blocks.push_back(ReadBackBlock{aux, block, {}});
        blocks.back().offsets.push_back(offset);
    }
}

std::string hex(std::size_t value, int digits)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*zX", digits, value);
    return text;
}

} // namespace

std::vector<ReadBackBlock> readBackDifferences(std::span<const uint8_t> sentMain,
                                               std::span<const uint8_t> readMain,
                                               std::span<const uint8_t> sentAux,
                                               std::span<const uint8_t> readAux)
{
    std::vector<ReadBackBlock> blocks;
    collect(false, sentMain, readMain, blocks);
    collect(true, sentAux, readAux, blocks);
    return blocks;
}

std::string readBackReport(const LanguageTable& texts, int heading, const std::vector<ReadBackBlock>& blocks,
                           std::span<const uint8_t> sentMain, std::span<const uint8_t> readMain,
                           std::span<const uint8_t> sentAux, std::span<const uint8_t> readAux,
                           const FieldNameLookup& fieldName)
{
    std::string report = texts.text(heading);
    for (const ReadBackBlock& block : blocks) {
        const std::size_t first = block.block * kBlockSize;
        const std::string range = hex(first, 4) + "-" + hex(first + kBlockSize - 1, 4);
        report += "\n\n";
        report +=
            fillTextArguments(texts.text(block.aux ? texts::kReadBackWindow : texts::kReadBackBlock),
                              {std::to_string(block.block), range, std::to_string(block.offsets.size())});
        const std::span<const uint8_t> sent = block.aux ? sentAux : sentMain;
        const std::span<const uint8_t> read = block.aux ? readAux : readMain;
        const std::size_t listed = std::min(block.offsets.size(), kBytesListed);
        for (std::size_t i = 0; i < listed; ++i) {
            const std::size_t offset = block.offsets[i];
            report += "\n  " + hex(offset, 4) + ": ";
            report += fillTextArguments(texts.text(texts::kReadBackBytes),
                                        {hex(sent[offset], 2), hex(read[offset], 2)});
            const std::string field = fieldName ? fieldName(block.aux, offset) : std::string();
            if (!field.empty())
                report += " - " + field;
        }
        if (block.offsets.size() > listed)
            report += "\n  ...";
    }
    return report;
}

} // namespace rps
