// The settings the host's optional machinery reads and writes: the shell's
// DDE names and the user-agent tokens.
#include "BrowserUserAgentToken.h"
#include "DdeShellNames.h"
#include "RegistryStore.h"
#include "UserAgentTokens.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(DdeShellNames, ReadFromTheClassesRootAndEmptyWhenMissing)
{
    RegistryStore& store = RegistryStore::Program();
    DdeShellNames before = ReadDdeShellNames(store);
    EXPECT_EQ(before.htmlApplication, "");
    RegKey key;
    ASSERT_EQ(store.CreateKey(RegRoot::ClassesRoot, "htmlfile\\shell\\open\\ddeexec\\application", key), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "", REG_SZ, std::string_view("IExplore\0", 9)), kRegSuccess);
    ASSERT_EQ(store.CreateKey(RegRoot::ClassesRoot, "Folder\\shell\\explore\\ddeexec", key), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, "", REG_SZ, std::string_view("[ExploreFolder(\"%l\", %I, %S)]\0", 31)),
              kRegSuccess);
    DdeShellNames after = ReadDdeShellNames(store);
    EXPECT_EQ(after.htmlApplication, "IExplore");
    EXPECT_EQ(after.commands.explore, "ExploreFolder");
    EXPECT_EQ(after.commands.open, "");
}

TEST(UserAgentToken, RegisteredTokensJoinTheUserAgentUntilRemoved)
{
    RegistryStore& store = RegistryStore::Program();
    RegisterUserAgentToken(store, "Pandrel/2.0");
    RegisterUserAgentToken(store, "");
    EXPECT_EQ(UserAgentTokens(store), std::vector<std::string>{"Pandrel/2.0"}) << "the default value names no token";
    EXPECT_EQ(UserAgentWithTokens("Mozilla/5.0 (X11; Linux) AppleWebKit/605.1.15 (KHTML)", UserAgentTokens(store)),
              "Mozilla/5.0 (X11; Linux; Pandrel/2.0) AppleWebKit/605.1.15 (KHTML)");
    EXPECT_EQ(UserAgentWithTokens("UA/1", {"a\r\nX-Injected: 1", "b) c (", "d"}), "UA/1 (d)")
        << "no header injection, no broken comment";
    EXPECT_EQ(UserAgentWithTokens("UA/1", {"\\"}), "UA/1");
    RemoveUserAgentToken(store, "pandrel/2.0"); // names compare without regard to case
    EXPECT_TRUE(UserAgentTokens(store).empty());
    RemoveUserAgentToken(store, "never registered");
}
