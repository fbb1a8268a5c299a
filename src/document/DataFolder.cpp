#include "document/DataFolder.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace rps {
namespace {

bool isFolder(const fs::path& path)
{
    std::error_code error;
    return fs::is_directory(path, error);
}

bool makeFolder(const fs::path& path)
{
    std::error_code error;
    fs::create_directory(path, error);
    return isFolder(path);
}

} // namespace

std::string defaultDataFolder(const DataFolderPlaces& places)
{
    if (places.documentsFolder && !places.documentsFolder->empty() && isFolder(*places.documentsFolder)) {
        const fs::path maker = fs::path(*places.documentsFolder) / "Zentrel";
        const fs::path product = maker / "RPS-360T";
        if (makeFolder(maker) && makeFolder(product)) {
            return product.string();
        }
    }
    return places.homeFolder;
}

std::string chooseDataFolder(const std::string& lastFilePath, const DataFolderPlaces& places)
{
    if (!lastFilePath.empty() && isFolder(lastFilePath)) {
        return lastFilePath;
    }
    return defaultDataFolder(places);
}

} // namespace rps
