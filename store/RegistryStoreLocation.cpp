#include "RegistryStoreLocation.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>

namespace platform {

namespace {

std::filesystem::path FromEnvironment(const char* name)
{
    const char* value = std::getenv(name);
    return (value && *value) ? std::filesystem::path(value) : std::filesystem::path();
}

std::string TimeStamp()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char text[32];
    std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local);
    return text;
}

bool Exists(const std::filesystem::path& path)
{
    std::error_code ignored;
    return std::filesystem::exists(std::filesystem::symlink_status(path, ignored));
}

// Renames without replacing an existing target (link, then unlink the old name).
bool RenameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to,
                     std::error_code& error)
{
    std::filesystem::create_hard_link(from, to, error);
    if (error)
        return false;
    std::filesystem::remove(from, error);
    return !error;
}

} // namespace

std::filesystem::path DefaultSettingsFolder()
{
    if (auto folder = FromEnvironment("PANDREL_CONFIG_DIR"); !folder.empty())
        return folder;
    return StandardSettingsFolder();
}

std::filesystem::path StandardSettingsFolder()
{
    auto base = FromEnvironment("XDG_CONFIG_HOME");
    if (base.empty()) {
        auto home = FromEnvironment("HOME");
        base = (home.empty() ? std::filesystem::path(".") : home) / ".config";
    }
    return base / "kestrane" / "pandrel";
}

std::filesystem::path MoveDamagedFileAside(const std::filesystem::path& file, std::error_code& error)
{
    const std::string base = file.string() + ".damaged-" + TimeStamp();
    std::string target = base;
    for (int attempt = 2; Exists(target) || Exists(target + "-wal"); ++attempt)
        target = base + "-" + std::to_string(attempt);

    if (!RenameNoReplace(file, target, error))
        return {};
    // The journal files belong to the damaged file: a fresh database must never
    // replay them.
    for (const char* companion : {"-wal", "-shm"}) {
        const std::filesystem::path from = file.string() + companion;
        if (Exists(from)) {
            std::error_code companionError;
            RenameNoReplace(from, target + companion, companionError);
            if (companionError) {
                error = companionError;
                return {};
            }
        }
    }
    return target;
}

} // namespace platform
