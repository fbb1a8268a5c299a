// Every place that opens help lands on a page and an anchor that the built help really has:
// the context numbers of the menus, forms and dialogs, every field of every declared form, and
// every function of the function table. The pages are read as the build generated them.
#include "app/HelpTopics.h"
#include "app/ShellCommands.h"
#include "forms/FieldForms.h"
#include "forms/common/FormCommands.h"
#include "forms/feature/FunctionTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>

namespace rps {
namespace {

namespace fs = std::filesystem;

// Every generated page's text, by file name.
const std::map<std::string, std::string>& pages()
{
    static const std::map<std::string, std::string> all = [] {
        std::map<std::string, std::string> result;
        for (const auto& entry : fs::directory_iterator(RPS_HELP_PAGES_DIR)) {
            if (entry.path().extension() != ".html")
                continue;
            std::ifstream in(entry.path());
            std::ostringstream text;
            text << in.rdbuf();
            result[entry.path().filename().string()] = text.str();
        }
        return result;
    }();
    return all;
}

// The ids of every generated page, by file name.
const std::map<std::string, std::set<std::string>>& pageAnchors()
{
    static const std::map<std::string, std::set<std::string>> anchors = [] {
        std::map<std::string, std::set<std::string>> result;
        const std::regex id(R"re(\bid="([^"]+)")re");
        for (const auto& [name, html] : pages()) {
            std::set<std::string>& ids = result[name];
            for (std::sregex_iterator it(html.begin(), html.end(), id), end; it != end; ++it)
                ids.insert((*it)[1].str());
        }
        return result;
    }();
    return anchors;
}

::testing::AssertionResult exists(const std::optional<HelpTopic>& topic)
{
    if (!topic)
        return ::testing::AssertionFailure() << "no topic";
    const auto page = pageAnchors().find(topic->page);
    if (page == pageAnchors().end())
        return ::testing::AssertionFailure() << "no page " << topic->page;
    if (!topic->anchor.empty() && !page->second.contains(topic->anchor))
        return ::testing::AssertionFailure() << topic->page << " has no anchor " << topic->anchor;
    return ::testing::AssertionSuccess();
}

constexpr int kFormCommands[] = {kChannelInformationCommand,
                                 kOptionalFeaturesCommand,
                                 kKeyAssignmentCommand,
                                 kScanInformationCommand,
                                 kDtmfCommand,
                                 kEncodeDecodeCommand,
                                 kNxdnCommand,
                                 kRemoteControlCommand,
                                 kFunctionPortCommand,
                                 kMultiTableCommand,
                                 kCwMessageCommand,
                                 kUserListCommand,
                                 kTestFrequencyCommand,
                                 kEmbeddedMessageCommand,
                                 kEmbeddedPasswordCommand,
                                 kAdvancedSettingsCommand,
                                 kChannelEditCommand,
                                 kBeatShiftCommand,
                                 kCwIdCommand};

TEST(HelpCoverage, EveryDescribedContextHasItsPageAndAnchor)
{
    const std::vector<int> contexts = describedHelpContexts();
    // The command table, the print dialog's three and the language dialog's are all there.
    for (int context : {69633, 69637, 69638, 69640, 90624, 82176, 327680, 991232})
        EXPECT_NE(std::find(contexts.begin(), contexts.end(), context), contexts.end()) << context;
    for (int context : contexts)
        EXPECT_TRUE(exists(topicForContext(context))) << "context " << context;
    EXPECT_EQ(topicForContext(12345), std::nullopt);
    // Only the advanced settings live in the advanced collection.
    EXPECT_TRUE(topicForContext(991232)->advanced);
    EXPECT_FALSE(topicForContext(78080)->advanced);
}

TEST(HelpCoverage, MenuCommandsMapToTheirContexts)
{
    EXPECT_EQ(helpContextForCommand(cmd::kNew), 69633);
    EXPECT_EQ(helpContextForCommand(cmd::kLanguageFileSetup), 90624);
    EXPECT_EQ(helpContextForCommand(kUserListCommand), 196608);
    EXPECT_EQ(helpContextForCommand(cmd::kHardwareVersion), 327680);
    EXPECT_EQ(helpContextForCommand(cmd::kTuningData), 327680);
    EXPECT_EQ(helpContextForCommand(cmd::kAbout), 0); // no help of its own
    EXPECT_EQ(helpAddress(*topicForContext(90624)), "qthelp://org.zentrel.rps360t/doc/setup.html#language");
}

TEST(HelpCoverage, EveryFieldOfEveryDeclaredFormHasAnAnchorOnItsFormsPage)
{
    int fields = 0;
    for (const DeclaredForm& form : declaredForms()) {
        // F1 reaches the page through the form's command: some form command must lead to it.
        const std::string page = std::string(form.key) + ".html";
        int command = 0;
        for (int candidate : kFormCommands) {
            if (const auto topic = topicForForm(candidate); topic && topic->page == page)
                command = candidate;
        }
        ASSERT_NE(command, 0) << "no form command opens " << page;
        ConfigImage image;
        const auto session = form.open(image, fields::FieldEnv{});
        for (const fields::FieldRow& row : session->engine().table()) {
            if (!row.isDataField())
                continue;
            const auto topic = topicForField(command, row.key);
            ASSERT_TRUE(topic);
            EXPECT_EQ(topic->anchor, fieldAnchor(form.key, row.key));
            EXPECT_TRUE(exists(topic)) << form.key << "." << row.key;
            ++fields;
        }
    }
    EXPECT_GT(fields, 150);
}

// Every field section says in words of its own what the field is for, between its key and the
// generated line of what it takes; a note written under a key no field has never shows.
TEST(HelpCoverage, EveryFieldSectionHasItsOwnNote)
{
    const std::regex bare(R"re(<h3 id="([^"]+)">[^\n]*\n<p class="key">[^\n]*\n<p class="takes">)re");
    int withFields = 0;
    for (const auto& [name, html] : pages()) {
        for (std::sregex_iterator it(html.begin(), html.end(), bare), end; it != end; ++it)
            ADD_FAILURE() << name << "#" << (*it)[1].str() << " has no note";
        if (html.find("<p class=\"key\">") != std::string::npos)
            ++withFields;
    }
    EXPECT_GE(withFields, 18);
}

// What a field takes is said as the form shows it: a list of values names them, and a coded ID
// is not described by the placeholder range its row carries.
TEST(HelpCoverage, WhatAFieldTakesIsSaidAsTheFormShowsIt)
{
    EXPECT_NE(pages()
                  .at("dtmf.html")
                  .find("Chosen from a list: &quot;6&quot;, &quot;8&quot;, &quot;10&quot;, "
                        "&quot;15&quot;."),
              std::string::npos);
    const std::string& users = pages().at("user-list.html");
    EXPECT_NE(users.find("&quot;All&quot; is taken as well."), std::string::npos);
    EXPECT_EQ(users.find("0 to 0"), std::string::npos);
}

TEST(HelpCoverage, EveryFormOpenedFromAnotherFormHasAPage)
{
    for (int command : kFormCommands)
        EXPECT_TRUE(exists(topicForForm(command))) << command;
    EXPECT_EQ(topicForForm(kChannelEditCommand)->anchor, "channel-edit");
}

TEST(HelpCoverage, EveryFunctionOpensTheFunctionTableAtIt)
{
    for (const feature::FunctionEntry& entry : feature::functionTable()) {
        const auto topic = topicForContext(entry.helpContext);
        ASSERT_TRUE(topic) << entry.helpContext;
        EXPECT_EQ(topic->page, "functions.html");
        EXPECT_TRUE(exists(topic)) << entry.nameText;
    }
}

} // namespace
} // namespace rps
