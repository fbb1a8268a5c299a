#pragma once
// The folder the file dialogs start in: the remembered "LastFilePath" while it exists, else
// "Zentrel/RPS-360T" in the user's documents folder (both levels created when missing) when
// that folder exists, else the home folder. An installed program cannot write its own folder,
// and a documents folder the user does not have is never made for them. Folders carry no
// trailing separator.
#include <optional>
#include <string>

namespace rps {

struct DataFolderPlaces {
    std::optional<std::string> documentsFolder; // nothing when the platform cannot tell
    std::string homeFolder;
};

std::string defaultDataFolder(const DataFolderPlaces& places);
std::string chooseDataFolder(const std::string& lastFilePath, const DataFolderPlaces& places);

} // namespace rps
