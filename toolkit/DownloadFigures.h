#pragma once
// What a download's progress window says about it: how much has arrived, how
// fast, and how long the rest will take.
#include <cstdint>
#include <string>

namespace platform {

// "1.2 MB of 4.0 MB", or "1.2 MB" while the total is unknown (total 0).
std::string DownloadSizeText(std::uint64_t received, std::uint64_t total);
// "300.0 kB/s"; empty before anything could be measured.
std::string DownloadSpeedText(double bytesPerSecond);
// "8 seconds left", "3 minutes left", "2 hours 5 minutes left"; empty when the
// total or the speed is unknown.
std::string DownloadTimeLeftText(std::uint64_t received, std::uint64_t total, double bytesPerSecond);

} // namespace platform
