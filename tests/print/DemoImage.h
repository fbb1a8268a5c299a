#pragma once
// The demonstration configuration opened as File > Open leaves it, with the English texts.
#include "TestPaths.h"
#include "document/DocumentFlows.h"
#include "forms/fields/FieldRules.h"
#include "model/DataFile.h"
#include "texts/LanguageTable.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace rps::test {

struct DemoImage {
    DemoImage()
    {
        texts.loadFile(kLanguageFile, "English");
        env.texts = [this](int number) { return texts.text(number); };
        EXPECT_EQ(loadImage(std::string(kSourceDir) + "/demo/demo.dat", *image).code, kLoadOk);
        InstallationId none;
        none.fill(0xFF);
        acceptStagedImage(*image, ImageSource::File, none, env.limits);
    }

    LanguageTable texts;
    fields::FieldEnv env;
    std::unique_ptr<ConfigImage> image = std::make_unique<ConfigImage>();
};

} // namespace rps::test
