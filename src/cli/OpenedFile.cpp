#include "cli/OpenedFile.h"

#include "document/DocumentFlows.h"
#include "model/DataFile.h"
#include "model/DataFileFormat.h"
#include "model/ImageChecks.h"

#include <fstream>

namespace rps::cli {

InstallationId noInstallation()
{
    InstallationId id;
    id.fill(0xFF);
    return id;
}

int openFile(const CliContext& context, const std::string& path, OpenedFile& file)
{
    const LoadResult result = loadImage(path, *file.image);
    if (result.code != kLoadOk)
        return failLoad(context, result, path);
    FrequencyLimits limits;
    if (!acceptStagedImage(*file.image, ImageSource::File, noInstallation(), limits).accepted)
        return context.failText(823, "This data file was made by a newer version of the software.");
    // A file saved without "Encrypt Mode" has a key byte of 0; set keeps it that way.
    std::ifstream in(path, std::ios::binary);
    in.seekg(static_cast<std::streamoff>(kDataFileKeyOffset));
    char key = 1;
    file.encrypted = !(in.get(key) && key == 0);
    const LanguageTable& texts = context.languageTable();
    file.env.texts = [&texts](int number) { return texts.text(number); };
    file.env.limits = limits;
    return kExitOk;
}

} // namespace rps::cli
