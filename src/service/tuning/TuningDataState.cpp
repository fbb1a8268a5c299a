#include "service/tuning/TuningDataState.h"

#include <cerrno>
#include <filesystem>

namespace rps {

int TuningDataState::read(TransferContext& context)
{
    TuningData staged;
    const int result = runTuningRead(context, staged.block, staged.unit);
    if (result != kLinkOk)
        return result;
    data_ = staged;
    hasBlock_ = true;
    fileName_ = (std::filesystem::path(folder_) / kDefaultTuningFileName).string();
    return result;
}

int TuningDataState::write(TransferContext& context)
{
    if (!hasBlock_)
        return kLinkFailed;
    return runTuningWrite(context, data_.block, data_.unit);
}

TuningLoadResult TuningDataState::open(const std::string& path)
{
    const TuningLoadResult result = loadTuningFile(path, data_);
    if (result.message == 0) {
        fileName_ = path;
        hasBlock_ = true;
    }
    return result;
}

int TuningDataState::save(const std::string& path)
{
    if (!hasBlock_)
        return EINVAL;
    const int error = saveTuningFile(path, data_);
    if (error == 0)
        fileName_ = path;
    return error;
}

std::string TuningDataState::savePath() const
{
    return fileName_.empty() ? (std::filesystem::path(folder_) / kDefaultTuningFileName).string() : fileName_;
}

} // namespace rps
