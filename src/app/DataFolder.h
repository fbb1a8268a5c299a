#pragma once
// The folder the file dialogs start in: the remembered "LastFilePath" while it exists, else
// "Zentrel/RPS-360T" in the user's documents folder (created when missing), else a "DATA"
// folder beside the program, else the program's own folder. Folders carry no trailing
// separator.
#include <optional>
#include <string>

namespace rps {

struct DataFolderPlaces {
    std::optional<std::string> documentsFolder; // nothing when the platform cannot tell
    std::string applicationFolder;
};

std::string defaultDataFolder(const DataFolderPlaces& places);
std::string chooseDataFolder(const std::string& lastFilePath, const DataFolderPlaces& places);

} // namespace rps
