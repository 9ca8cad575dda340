#pragma once
// Direct reads and writes of the settings store for test set-up and checks,
// by the names the store holds. Header only: it needs the store room.
#include "ProgramIdentity.h"
#include "RegistryStore.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>

inline constexpr const char* kTestProgramKey = "\\Software\\Kestrane\\Pandrel";

// The program's key, or a subkey of it.
inline std::string KeyPath(const std::string& subKey)
{
    std::string path(kTestProgramKey);
    if (!subKey.empty())
        path.append("\\").append(subKey);
    return path;
}

// The value name under key path (relative to the program's key; "" for the key itself).
inline std::optional<platform::RegValue> StoredValue(platform::RegistryStore& store,
                                                     const std::string& subKey, const std::string& name)
{
    platform::RegKey key;
    const std::string path = KeyPath(subKey);
    if (store.OpenKey(platform::RegRoot::CurrentUser, path, key) != platform::kRegSuccess)
        return std::nullopt;
    platform::RegValue value;
    if (store.QueryValue(key, name, value) != platform::kRegSuccess)
        return std::nullopt;
    return value;
}

inline std::string StoredText(platform::RegistryStore& store, const std::string& subKey, const std::string& name)
{
    auto value = StoredValue(store, subKey, name);
    return value ? platform::TextOfValueData(value->data) : std::string("<missing>");
}

inline std::optional<std::int32_t> StoredNumber(platform::RegistryStore& store, const std::string& subKey,
                                                const std::string& name)
{
    auto value = StoredValue(store, subKey, name);
    if (!value || value->type != platform::REG_DWORD || value->data.size() != 4)
        return std::nullopt;
    std::uint32_t bits = 0;
    for (int i = 0; i < 4; ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(value->data[i])) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

inline void Store(platform::RegistryStore& store, const std::string& subKey, const std::string& name,
                  std::uint32_t type, const std::string& data)
{
    platform::RegKey key;
    const std::string path = KeyPath(subKey);
    if (store.CreateKey(platform::RegRoot::CurrentUser, path, key) != platform::kRegSuccess
        || store.SetValue(key, name, type, data) != platform::kRegSuccess)
        throw std::runtime_error("test set-up could not write " + name);
}

inline void StoreText(platform::RegistryStore& store, const std::string& subKey, const std::string& name,
                      const std::string& text)
{
    Store(store, subKey, name, platform::REG_SZ, text + std::string(1, '\0'));
}

inline void StoreNumber(platform::RegistryStore& store, const std::string& subKey, const std::string& name,
                        std::int32_t number)
{
    const auto bits = static_cast<std::uint32_t>(number);
    std::string data;
    for (int i = 0; i < 4; ++i)
        data.push_back(static_cast<char>((bits >> (8 * i)) & 0xff));
    Store(store, subKey, name, platform::REG_DWORD, data);
}

// The store a first start and close leave when the user did nothing: welcomed,
// the maker's site in the history and as profile 1's one page, and each
// profile button captioned with its number.
inline void ExpectFirstRunStore(platform::RegistryStore& store)
{
    EXPECT_EQ(StoredText(store, "", "Welcomed"), "Y");
    EXPECT_EQ(StoredNumber(store, "", "URLCount"), 1);
    EXPECT_EQ(StoredText(store, "", "URL1"), platform::kMakerWebSite);
    EXPECT_EQ(StoredNumber(store, "", "HideEmptyProfiles"), 0);
    for (int n = 0; n <= 9; ++n)
        EXPECT_EQ(StoredText(store, "", "ProfileName" + std::to_string(n)), std::to_string(n));
    EXPECT_EQ(StoredNumber(store, "Profile1", "Sites"), 1);
    EXPECT_EQ(StoredText(store, "Profile1", "Label0"), "Kestrane");
    EXPECT_EQ(StoredText(store, "Profile1", "FirstURL0"), platform::kMakerWebSite);
    EXPECT_EQ(StoredText(store, "Profile1", "URL0"), platform::kMakerWebSite);
    EXPECT_EQ(StoredText(store, "Profile1", "RemURL0"), "N");
}
