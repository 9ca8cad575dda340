// A host's user-agent token, seen by a local server in the User-Agent header
// of the WebKit engine's requests while the host lives.
#include "BrowserEngineFixture.h"

#include "RegistryStore.h"
#include "UserAgentTokens.h"

using namespace platform;

namespace {

// The User-Agent a new WebKit host sends for path.
std::string UserAgentOfNewHost(BrowserEngineFixture& fixture, const std::string& path)
{
    Gtk::Window window;
    TBrowserHost host;
    window.add(host);
    window.show_all();
    fixture.Server().AddPage(path, "<title>UA</title>");
    Navigate(host, fixture.Server().Url(path));
    EXPECT_TRUE(fixture.WaitFor([&] { return fixture.Server().WasRequested(path); })) << path;
    const std::string agent = fixture.Server().LastRequestHeader(path, "User-Agent");
    window.remove();
    return agent;
}

} // namespace

TEST(UserAgentTokenTest, ALoadedHostsTokenJoinsTheEnginesUserAgentUntilTheHostGoes)
{
    BrowserEngineFixture fixture(EngineKind::WebKit);
    const std::string plain = UserAgentOfNewHost(fixture, "/before.html");
    ASSERT_FALSE(plain.empty());
    EXPECT_EQ(plain.find("PandrelUATest"), std::string::npos);
    {
        auto tokenHost = std::make_unique<TBrowserHost>();
        tokenHost->UserAgent = "PandrelUATest/2.0";
        tokenHost->Loaded();
        EXPECT_EQ(UserAgentTokens(RegistryStore::Program()), std::vector<std::string>{"PandrelUATest/2.0"});
        const std::size_t comment = plain.find(')');
        ASSERT_NE(comment, std::string::npos);
        EXPECT_EQ(UserAgentOfNewHost(fixture, "/during.html"),
                  plain.substr(0, comment) + "; PandrelUATest/2.0" + plain.substr(comment))
            << "after the platform's own tokens";
    }
    EXPECT_TRUE(UserAgentTokens(RegistryStore::Program()).empty()) << "removed by the host's destructor";
    EXPECT_EQ(UserAgentOfNewHost(fixture, "/after.html"), plain);
}
