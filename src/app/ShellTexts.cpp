#include "app/ShellTexts.h"

#include "model/ModelTable.h"

#include <cstdio>

namespace rps {

std::string describeModel(const ModelBlock& block)
{
    const int row = findModelRow(block);
    if (row < 0)
        return {};
    return modelDescription(row, findBandRow(block.modelCode()));
}

std::string modelDisplayName(const ModelBlock& block)
{
    return displayName(findModelRow(block));
}

std::string mainTitle(const TitleParts& parts)
{
    std::string title =
        "RPS-360T  [ " + parts.modelDescription + " ] [ " + parts.dataText + " : " + parts.fileName + " ]";
    if (parts.demo)
        title += std::string(10, ' ') + parts.demoText; // "%10s%s" of an empty string and the demo text
    return title;
}

std::string portPaneText(int portNumber, std::string_view device)
{
    std::string text = "COM" + std::to_string(portNumber);
    if (!device.empty())
        text += " (" + std::string(device) + ")";
    return text;
}

std::string progressText(std::string_view label, int step, int total)
{
    return std::string(label) + " " + std::to_string(step) + " / " + std::to_string(total);
}

} // namespace rps
