// Profiles that keep their logins apart, on the real engine against a local
// server: each store of site data (the shared one, a profile's own) sends
// only its own cookies and reads only its own local storage; Forget clears
// one store only; a profile's processes end once it is no longer shown; and a
// profile whose folder is missing or damaged starts empty and says so.
#include "LocalHttpServer.h"
#include "ProcessTree.h"
#include "SiteDataPages.h"
#include "WebKitPagesFixture.h"

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using platform::SiteData;

namespace {

class SiteDataApartTest : public WebKitPagesFixture {
protected:
    void SetUp() override
    {
        WebKitPagesFixture::SetUp();
        AddSiteDataPages(server);
    }
    // A page of siteData logs in as name: a day-long cookie, and name in local storage.
    void LogIn(const SiteData& siteData, const std::string& name)
    {
        List().SetSiteData(siteData);
        List().OpenPage(server.Url("/sd/login?" + name), name);
        ASSERT_TRUE(WaitFor([&] { return server.WasRequested("/sd/logged?" + name); })) << name;
    }
    struct Seen {
        std::string cookies; // the Cookie header the page was asked for with
        std::string stored;  // what its local storage held ("null": nothing)
    };
    // What a new page of siteData sends and finds.
    Seen Check(const SiteData& siteData)
    {
        const std::string tag = "check" + std::to_string(++checks_);
        List().SetSiteData(siteData);
        List().OpenPage(server.Url("/sd/check?" + tag), tag);
        const std::string prefix = "/sd/stored?" + tag + "=";
        std::string stored;
        EXPECT_TRUE(WaitFor([&] {
            for (const std::string& path : server.RequestedPaths())
                if (path.rfind(prefix, 0) == 0)
                    stored = path.substr(prefix.size());
            return !stored.empty();
        })) << tag;
        return {server.LastRequestHeader("/sd/check", "Cookie"), stored};
    }

    LocalHttpServer server;
    int checks_ = 0;
};

} // namespace

TEST_F(SiteDataApartTest, ALoginWithTheSharedDataIsNotSentFromAProfileKeptApartAndTheReverse)
{
    LogIn(SiteData::Shared(), "shared");
    LogIn(SiteData::OfProfile(3), "three");
    const Seen apart = Check(SiteData::OfProfile(3));
    EXPECT_TRUE(LoggedIn(apart.cookies, "three")) << apart.cookies;
    EXPECT_FALSE(LoggedIn(apart.cookies, "shared")) << apart.cookies;
    const Seen shared = Check(SiteData::Shared());
    EXPECT_TRUE(LoggedIn(shared.cookies, "shared")) << shared.cookies;
    EXPECT_FALSE(LoggedIn(shared.cookies, "three")) << shared.cookies;
    EXPECT_EQ(shared.stored, "shared");
}

TEST_F(SiteDataApartTest, TwoProfilesKeptApartSeeNeitherTheOthersCookiesNorItsLocalStorage)
{
    LogIn(SiteData::OfProfile(4), "four");
    LogIn(SiteData::OfProfile(5), "five");
    const Seen four = Check(SiteData::OfProfile(4));
    EXPECT_EQ(four.cookies, "four=in");
    EXPECT_EQ(four.stored, "four");
    const Seen five = Check(SiteData::OfProfile(5));
    EXPECT_EQ(five.cookies, "five=in");
    EXPECT_EQ(five.stored, "five");
}

TEST_F(SiteDataApartTest, ForgetClearsTheDataItNamesAndNoOther)
{
    LogIn(SiteData::Shared(), "common");
    LogIn(SiteData::OfProfile(6), "six");
    LogIn(SiteData::OfProfile(7), "seven");
    int forgotten = 0;
    engine_->ForgetSiteData(SiteData::OfProfile(6), [&](bool cleared) { forgotten += cleared; });
    ASSERT_TRUE(WaitFor([&] { return forgotten == 1; }));
    EXPECT_EQ(Check(SiteData::OfProfile(6)).cookies, "");
    EXPECT_TRUE(LoggedIn(Check(SiteData::OfProfile(7)).cookies, "seven"));
    EXPECT_TRUE(LoggedIn(Check(SiteData::Shared()).cookies, "common"));

    engine_->ForgetSiteData(SiteData::Shared(), [&](bool cleared) { forgotten += cleared; });
    ASSERT_TRUE(WaitFor([&] { return forgotten == 2; }));
    EXPECT_FALSE(LoggedIn(Check(SiteData::Shared()).cookies, "common"));
    EXPECT_TRUE(LoggedIn(Check(SiteData::OfProfile(7)).cookies, "seven")) << "a profile's own data is not shared data";
}

TEST_F(SiteDataApartTest, TheProcessesOfAProfileNoLongerShownEnd)
{
    // The shared data's network process stays for the program's life.
    Check(SiteData::Shared());
    List().CloseAllPages();
    for (int profile = 0; profile < SiteData::kProfileCount; ++profile) {
        Check(SiteData::OfProfile(profile));
        List().CloseAllPages();
    }
    EXPECT_TRUE(WaitFor([&] { return NetworkProcessesOf(getpid()).size() == 1; }, 20))
        << NetworkProcessesOf(getpid()).size() << " network processes after ten profiles were shown and left";
    EXPECT_EQ(engine_->LiveProfileContexts(), 0);
}

TEST_F(SiteDataApartTest, AProfileWhoseFolderIsDamagedOrMissingStartsEmptyAndSaysSo)
{
    const std::filesystem::path profiles = std::filesystem::path(getenv("PANDREL_CONFIG_DIR")) / "webkit-data" / "profiles";
    std::filesystem::remove_all(profiles / "Profile8");
    std::filesystem::remove_all(profiles / "Profile8.damaged");
    std::filesystem::remove_all(profiles / "Profile9");
    std::filesystem::create_directories(profiles);
    std::ofstream(profiles / "Profile8") << "not a folder";
    std::vector<std::string> notices;
    engine_->SetSiteDataNotice([&](const SiteData& siteData, const platform::SiteDataProblem& problem) {
        notices.push_back(siteData.FolderName() + " " + std::to_string(static_cast<int>(problem.kind)) + " " +
                          problem.setAsideAs);
    });
    LogIn(SiteData::Shared(), "elsewhere");

    EXPECT_EQ(Check(SiteData::OfProfile(8)).cookies, "") << "never another's data";
    EXPECT_EQ(Check(SiteData::OfProfile(9)).cookies, "");
    EXPECT_EQ(notices, (std::vector<std::string>{"Profile8 2 Profile8.damaged", "Profile9 1 "}));
    EXPECT_TRUE(std::filesystem::is_regular_file(profiles / "Profile8.damaged")) << "kept, moved aside";
    struct stat info {};
    ASSERT_EQ(::stat((profiles / "Profile8").c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 07777, 0700u);
    List().CloseAllPages();
    ASSERT_TRUE(WaitFor([&] { return engine_->LiveProfileContexts() == 0; }));
    std::filesystem::remove_all(profiles / "Profile9");
    Check(SiteData::NewForProfile(9));
    EXPECT_EQ(notices.size(), 2u) << "a profile that has just begun to keep its logins apart expects no data";
}
