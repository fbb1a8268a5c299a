#pragma once
// Texts the shell builds from language texts and the image: the main window title, the
// status bar port pane and the transfer progress line.
#include "model/ModelBlock.h"

#include <string>
#include <string_view>

namespace rps {

// The model description of a model block ("QLM-640: K  VHF: 136-174 MHz"), or the empty
// string when the block names no model.
std::string describeModel(const ModelBlock& block);
// The display name "%s:%s" of the model block's row (tree root).
std::string modelDisplayName(const ModelBlock& block);

struct TitleParts {
    std::string modelDescription;
    std::string dataText; // language text 149
    std::string fileName;
    bool demo = false;
    std::string demoText; // language text 1355
};
// "RPS-360T  [ model ] [ data : file ]", with "%10s%s" of "" and the demo text appended in demo mode.
std::string mainTitle(const TitleParts& parts);

// Status bar pane 0: "COM%d", followed by the device in use when one is known.
std::string portPaneText(int portNumber, std::string_view device);

// "%s %d / %d": the progress label, the step and the total.
std::string progressText(std::string_view label, int step, int total);

} // namespace rps
