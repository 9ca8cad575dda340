#pragma once
// The desktop application id of the running program, one per settings folder:
// two copies on one folder are one instance, two folders are two instances.
#include <filesystem>
#include <string>

inline constexpr const char* kApplicationId = "com.kestrane.Pandrel";

// kApplicationId for the standard folder; otherwise kApplicationId + ".f" + a
// hash of the folder's canonical path, which is always a valid D-Bus name.
std::string ApplicationIdFor(const std::filesystem::path& folder,
                             const std::filesystem::path& standardFolder);
