#pragma once
// The program's version record: four 16-bit numbers embedded at build time in a
// section of their own in the program file, and read back from an ELF file by
// that section's name. The reader trusts nothing in the file: a file without the
// record, or with a damaged one, gives no version.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

struct FileVersion {
    std::uint16_t major = 0;
    std::uint16_t minor = 0;
    std::uint16_t release = 0;
    std::uint16_t build = 0;

    friend bool operator==(const FileVersion&, const FileVersion&) = default;
};

// Name of the ELF section that holds the record.
inline constexpr const char* kVersionSectionName = ".pandrel_version";

// The record as laid out in the section: a signature, then the four numbers in
// the file's own byte order.
inline constexpr char kVersionSignature[8] = {'P', 'N', 'D', 'R', 'L', 'V', 'E', 'R'};
struct VersionRecordLayout {
    char signature[8];
    std::uint16_t numbers[4]; // major, minor, release, build
};
static_assert(sizeof(VersionRecordLayout) == 16, "the record is 16 bytes in every build");

constexpr VersionRecordLayout MakeVersionRecord(std::uint16_t major, std::uint16_t minor,
                                                std::uint16_t release, std::uint16_t build)
{
    VersionRecordLayout record{};
    for (int i = 0; i < 8; ++i)
        record.signature[i] = kVersionSignature[i];
    record.numbers[0] = major;
    record.numbers[1] = minor;
    record.numbers[2] = release;
    record.numbers[3] = build;
    return record;
}

// The running program's own file.
inline constexpr const char* kRunningProgramFile = "/proc/self/exe";

// The version record of the ELF file at path, or nothing when the file cannot be
// read, is no ELF file, carries no record or carries a damaged one.
std::optional<FileVersion> ReadVersionRecord(const std::string& path);

} // namespace platform
