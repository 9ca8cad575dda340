#include "ApplicationId.h"

#include "GObjectPtr.h"

#include <glib.h>

#include <system_error>

namespace {

// The folder as the file system knows it, whether or not it exists yet.
std::string Canonical(const std::filesystem::path& folder)
{
    std::error_code error;
    std::filesystem::path absolute = std::filesystem::absolute(folder, error);
    if (error)
        absolute = folder;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(absolute, error);
    return (error ? absolute : canonical).lexically_normal().string();
}

std::string Sha256(const std::string& text)
{
    return platform::TakeGText(
        g_compute_checksum_for_string(G_CHECKSUM_SHA256, text.data(), static_cast<gssize>(text.size())));
}

std::string WithoutTrailingSeparator(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string ApplicationIdFor(const std::filesystem::path& folder,
                             const std::filesystem::path& standardFolder)
{
    const std::string canonical = WithoutTrailingSeparator(Canonical(folder));
    if (canonical == WithoutTrailingSeparator(Canonical(standardFolder)))
        return kApplicationId;
    // 16 hex digits (64 bits) keep the id short; the "f" keeps the element
    // from starting with a digit, which D-Bus names forbid.
    std::string id = kApplicationId;
    id += ".f";
    id += Sha256(canonical).substr(0, 16);
    return id;
}
