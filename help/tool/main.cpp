// rps360t-helpgen LANGUAGE_FILE SOURCE_FOLDER STAGE_FOLDER COLLECTION_FOLDER NORMAL_NAME ADVANCED_NAME
// Expands the source pages into STAGE_FOLDER and writes the help projects there and the two
// collection projects (NORMAL_NAME.qhcp, ADVANCED_NAME.qhcp) into COLLECTION_FOLDER, for
// qhelpgenerator to compile.
#include "HelpPages.h"

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string readFile(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool writeFile(const fs::path& path, const std::string& text)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 7) {
        std::cerr
            << "usage: rps360t-helpgen LANGUAGE_FILE SOURCE STAGE COLLECTIONS NORMAL_NAME ADVANCED_NAME\n";
        return 2;
    }
    rps::LanguageTable texts;
    if (texts.loadFile(argv[1], "English") != rps::LanguageLoadResult::Ok) {
        std::cerr << "rps360t-helpgen: cannot load " << argv[1] << "\n";
        return 1;
    }
    const fs::path source(argv[2]);
    const fs::path stage(argv[3]);
    const fs::path collections(argv[4]);
    fs::create_directories(stage);
    fs::create_directories(collections);

    std::vector<std::pair<std::string, std::string>> pages;
    std::vector<std::string> extra;
    for (const auto& entry : fs::directory_iterator(source)) {
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() == ".html") {
            pages.emplace_back(name, rps::help::expandPage(readFile(entry.path()), texts));
            if (!writeFile(stage / name, pages.back().second))
                return 1;
        } else if (entry.path().extension() == ".css") {
            fs::copy_file(entry.path(), stage / name, fs::copy_options::overwrite_existing);
            extra.push_back(name);
        }
    }
    const auto contents = rps::help::parseContents(readFile(source / "contents.txt"));
    const std::string names[2] = {argv[5], argv[6]};
    for (int advanced = 0; advanced < 2; ++advanced) {
        const fs::path project = fs::absolute(stage / (names[advanced] + ".qhp"));
        if (!writeFile(project, rps::help::helpProject(contents, advanced == 1, pages, extra)) ||
            !writeFile(collections / (names[advanced] + ".qhcp"),
                       rps::help::collectionProject(project.string(), names[advanced] + ".qch")))
            return 1;
    }
    return 0;
}
