// Reading the command line, naming the instance of a settings folder, and
// checking the arguments a running instance is handed.
#include "ApplicationId.h"
#include "CommandLine.h"
#include "HandedOverArguments.h"
#include "TempDir.h"

#include <gio/gio.h>
#include <gtest/gtest.h>

#include <fstream>

using Action = CommandLine::Action;

TEST(CommandLine, OptionsAndOperands)
{
    struct Case {
        std::vector<std::string> args;
        Action action;
        std::vector<std::string> urls;
        std::string error;
        std::string settingsFile = {};
    } cases[] = {
        {{}, Action::Run, {}, ""},
        {{"http://a/", "www.b.c"}, Action::Run, {"http://a/", "www.b.c"}, ""},
        {{"--help"}, Action::Help, {}, ""},
        {{"-h", "x"}, Action::Help, {"x"}, ""},
        {{"--version"}, Action::Version, {}, ""},
        {{"--version", "--help"}, Action::Version, {}, ""},
        {{"--", "--help", "-x"}, Action::Run, {"--help", "-x"}, ""},
        {{"-", ""}, Action::Run, {"-", ""}, ""},
        {{"--frobnicate"}, Action::Error, {}, "unrecognized option '--frobnicate'"},
        {{"-x", "--bad"}, Action::Error, {}, "invalid option -- 'x'"},
        {{"--bogus", "--help"}, Action::Error, {}, "unrecognized option '--bogus'"},
        {{"--version=2"}, Action::Error, {}, "unrecognized option '--version=2'"},
        {{"--export-settings", "a.reg"}, Action::ExportSettings, {}, "", "a.reg"},
        {{"--import-settings=-odd name.reg"}, Action::ImportSettings, {}, "", "-odd name.reg"},
        {{"--import-settings", "--help"}, Action::ImportSettings, {}, "", "--help"},
        {{"--export-settings"}, Action::Error, {}, "option '--export-settings' requires an argument"},
        {{"--export-settings="}, Action::Error, {}, "option '--export-settings' requires an argument"},
        {{"--export-settings", "a.reg", "--import-settings", "b.reg"},
         Action::Error, {}, "only one of --export-settings and --import-settings, once"},
        {{"--export-settings", "a.reg", "http://a/"},
         Action::Error, {}, "URLs cannot be opened while settings are exported or imported"},
        {{"--export-settings", "a.reg", "--help"}, Action::Help, {}, "", "a.reg"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.args));
        const CommandLine line = ParseCommandLine(c.args);
        EXPECT_EQ(line.action, c.action);
        EXPECT_EQ(line.error, c.error);
        if (c.action != Action::Error) {
            EXPECT_EQ(line.urls, c.urls);
            EXPECT_EQ(line.settingsFile, c.settingsFile);
        }
    }
    EXPECT_EQ(VersionText(), "Pandrel 2.0.0.31\n");
    EXPECT_EQ(UsageErrorText("unrecognized option '--x'"),
              "pandrel: unrecognized option '--x'\nTry 'pandrel --help' for more information.\n");
}

TEST(ApplicationId, OneValidBusNamePerSettingsFolder)
{
    TempDir home;
    const auto standard = home / "config/kestrane/pandrel";
    EXPECT_EQ(ApplicationIdFor(standard, standard), "com.kestrane.Pandrel");
    // Spelled differently, the standard folder is still the standard folder.
    std::filesystem::create_directories(standard);
    EXPECT_EQ(ApplicationIdFor(home / "config/kestrane/../kestrane/pandrel/", standard), "com.kestrane.Pandrel");

    const std::string a = ApplicationIdFor(home / "a", standard);
    const std::string b = ApplicationIdFor(home / "b", standard);
    const std::string digits = ApplicationIdFor(home / "0123 with space,and:odd|chars", standard);
    EXPECT_NE(a, b);
    EXPECT_NE(a, "com.kestrane.Pandrel");
    EXPECT_EQ(a, ApplicationIdFor(home / "a/./", standard)) << "one folder, one id";
    for (const std::string& id : {a, b, digits}) {
        EXPECT_TRUE(g_application_id_is_valid(id.c_str())) << id;
        EXPECT_TRUE(g_dbus_is_name(id.c_str())) << id;
        EXPECT_EQ(id.rfind("com.kestrane.Pandrel.f", 0), 0u) << id;
    }
}

TEST(HandedOverArguments, CheckedBeforeTheyBecomePages)
{
    TempDir cwd;
    std::ofstream(cwd / "page.html") << "<p>";
    std::filesystem::create_directory(cwd / "folder");

    // The start that was given them resolves relative names of files, in its
    // own folder; the receiver takes names as they come, whatever folder the
    // message claims.
    const std::vector<std::string> given{"http://a/", "", "page.html", "folder", "/abs/x.html", "www.b.c",
                                         "file:page.html"};
    std::vector<std::string> sent = AbsoluteLocalFiles(given, cwd.path().string());
    EXPECT_EQ(sent, (std::vector<std::string>{"http://a/", "", (cwd / "page.html").string(), "folder", "/abs/x.html",
                                              "www.b.c", "file:page.html"}));
    HandedOverArguments plain = CheckHandedOverArguments({"pandrel", "--", "page.html", "/abs/x.html"});
    EXPECT_TRUE(plain.problems.empty());
    EXPECT_EQ(plain.urls, (std::vector<std::string>{"page.html", "/abs/x.html"}));

    // Without "--" (an older sender) every argument after the name is a URL.
    EXPECT_EQ(CheckHandedOverArguments({"pandrel", "-x"}).urls, std::vector<std::string>{"-x"});

    HandedOverArguments bad = CheckHandedOverArguments(
        {"pandrel", "--", "http://ok/", std::string("http://\xff\xfe/"), std::string(9000, 'a')});
    EXPECT_EQ(bad.urls, std::vector<std::string>{"http://ok/"});
    ASSERT_EQ(bad.problems.size(), 2u);
    EXPECT_EQ(bad.problems[0], "argument 2 is not UTF-8 text; not opened");
    EXPECT_EQ(bad.problems[1], "argument 3 is longer than 8192 bytes; not opened");

    std::vector<std::string> many{"pandrel", "--"};
    for (int i = 0; i < 60; ++i)
        many.push_back("http://h/" + std::to_string(i));
    HandedOverArguments capped = CheckHandedOverArguments(many);
    EXPECT_EQ(capped.urls.size(), kMaxHandedOverUrls);
    ASSERT_EQ(capped.problems.size(), 1u);
    EXPECT_NE(capped.problems[0].find("http://h/50"), std::string::npos);
}
