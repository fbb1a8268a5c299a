// The full sweep the fuzz target samples: every field of every declared form, over a new image
// and over hostile ones, is looked at and edited in each of the four ways with texts a user
// might type. Under the sanitizer build any access outside the image fails the test.
#include "FormDrive.h"
#include "forms/fields/RecordRows.h"

#include <gtest/gtest.h>

#include <random>

namespace rps::test {
namespace {

ConfigImage hostileImage(uint8_t fill, uint32_t seed)
{
    ConfigImage image = freshImage();
    std::mt19937 random(seed);
    std::span<uint8_t> main = image.main();
    if (seed == 0)
        std::fill(main.begin(), main.end(), fill);
    else
        for (int i = 0; i < 4000; ++i)
            main[random() % main.size()] = static_cast<uint8_t>(random());
    return image;
}

// Whole rows of every record grid copied over its last row and deleted, in its first and last
// record group.
void copyPasteAndDelete(fields::FieldEngine& engine)
{
    using fields::RecordCommand;
    for (const fields::FieldRow& row : engine.table()) {
        if (!row.grid || !row.grid->records.rowCommands)
            continue;
        const fields::RecordRows& rows = row.grid->records;
        const int groups =
            rows.groupStride > 0 ? (engine.records().count() - rows.first) / rows.groupStride : 1;
        for (int group : {0, groups - 1}) {
            runRecordCommand(engine, *row.grid, RecordCommand::Copy, 0, 2, group);
            runRecordCommand(engine, *row.grid, RecordCommand::Paste, rows.count - 1, rows.count - 1, group);
            runRecordCommand(engine, *row.grid, RecordCommand::Delete, 0, 1, group);
        }
    }
}

// Remote-control code bytes outside both code ranges and type bytes above 3, on keys and
// ports that have rows.
ConfigImage hostileRemoteImage()
{
    ConfigImage image = freshImage();
    std::span<uint8_t> main = image.main();
    for (std::size_t i = 0x0690; i < 0x06F8; ++i)
        main[i] = static_cast<uint8_t>(i % 3 == 2 ? 4 + i : 0x28 + 7 * i);
    for (std::size_t p = 0; p < 6; ++p)
        main[0x02A8 + p] = static_cast<uint8_t>(p % 2);
    main[0x02C0] = 0x30;
    main[0x02C1] = 0x30;
    return image;
}

TEST(DeclaredFormsSweep, CoversTheRemoteControlForm)
{
    ASSERT_NE(findDeclaredForm("remote"), nullptr);
    ConfigImage image = hostileRemoteImage();
    const auto session = findDeclaredForm("remote")->open(image, fuzzFieldEnv());
    EXPECT_GT(listFields(*findDeclaredForm("remote"), session->engine()).size(), 60u);
}

TEST(DeclaredFormsSweep, EveryFieldOfEveryFormIsShownAndEditedOverHostileImages)
{
    const fields::FieldEnv env = fuzzFieldEnv();
    const struct {
        const char* what;
        ConfigImage image;
        bool programChannels; // every channel gets a receive frequency first, so all its fields list
    } images[] = {
        {"a new image", freshImage(), false},
        {"a new image, every channel programmed", freshImage(), true},
        {"every byte 0x00", hostileImage(0x00, 0), true},
        {"every byte 0xFF", hostileImage(0xFF, 0), true},
        {"random bytes", hostileImage(0, 360), true},
        {"hostile remote-control code and type bytes", hostileRemoteImage(), false},
    };
    const std::string texts[] = {"", "0", "-1", "99999999", "1e3", "Off", "abc", "\xFF\x01"};
    for (const auto& start : images) {
        for (const DeclaredForm& form : declaredForms()) {
            SCOPED_TRACE(std::string(start.what) + ", " + std::string(form.key));
            ConfigImage image = start.image;
            const auto session = form.open(image, env);
            fields::FieldEngine& engine = session->engine();
            if (start.programChannels) {
                for (const FieldEntry& entry : listFields(form, engine)) {
                    if (entry.key.ends_with(".rx-frequency"))
                        enterFieldText(engine, entry, "150");
                }
            }
            const std::vector<FieldEntry> entries = listFields(form, engine);
            for (std::size_t i = 0; i < entries.size(); ++i) {
                lookAtField(engine, entries[i]);
                for (int edit = 0; edit < kFieldEditCount; ++edit) {
                    editField(engine, entries[i], static_cast<FieldEdit>(edit),
                              texts[(i + static_cast<std::size_t>(edit)) % std::size(texts)]);
                    lookAtField(engine, entries[i]);
                }
            }
            copyPasteAndDelete(engine);
            for (const FieldEntry& entry : listFields(form, engine))
                lookAtField(engine, entry);
        }
    }
}

} // namespace
} // namespace rps::test
