#pragma once
// Saving an image to a data file, loading one into the snapshot copy, and the preview the
// open dialog shows for a selected file.
#include "model/ConfigImage.h"
#include "model/InstallationId.h"
#include "model/ModelBlock.h"

#include <optional>
#include <string>

namespace rps {

struct SaveOptions {
    bool encryptMode = true;             // off: key byte 0, areas stored plain
    std::optional<std::string> password; // set while data files are protected with the security password
    InstallationId installationId{};
};

enum SaveCode { kSaveOk = 0, kSaveCannotCreate = 1, kSaveWriteFailed = 3 };

struct SaveResult {
    int code = kSaveOk;
    int systemError = 0; // errno of the failure
};

// Stamps version and checksum into the working image and replaces the file as a whole. On a
// failure the previous file at path is left exactly as it was.
SaveResult saveImage(const std::string& path, ConfigImage& image, const SaveOptions& options);

enum LoadCode {
    kLoadOk = 0,
    kLoadCannotRead = 1,   // cannot be opened, or too short
    kLoadOtherProgram = 2, // a data file of another program of the product family
    kLoadModelRefused = 5, // model not accepted for Open
    kLoadBadMarker = 6,
    kLoadReservedBytes = 7, // model block bytes 12-13 not 0xFF 0xFF
    kLoadNotDataFile = 8,
};

struct LoadResult {
    int code = kLoadOk;
    std::string otherProgram; // with kLoadOtherProgram: that program's name from the tag
    int systemError = 0;      // with kLoadCannotRead: errno, 0 when the file only ended early
};

// Reads a data file into the snapshot copy. The working copy is never touched, and the
// snapshot only on success.
LoadResult loadImage(const std::string& path, ConfigImage& image);

// The model block check of Open: kLoadOk, kLoadReservedBytes or kLoadModelRefused. Whatever
// makes a data file from an image outside a data file checks its model block with it.
int checkModelForOpen(const ModelBlock& block);

// The language text that reports a load result (0 for success).
int loadMessageText(int loadCode);

struct FilePreview {
    bool available = false;   // false: not a data file of this application, nothing to show
    std::string messageLine1; // embedded message, first 32 characters
    std::string messageLine2;
    std::string modelName; // file information: "%s:%s" display name
    std::string bandLabel;
    std::string version; // the five characters at file offset 10
};

FilePreview readPreview(const std::string& path);

} // namespace rps
