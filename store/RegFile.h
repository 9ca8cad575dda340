#pragma once
// The registry editor's export format (.reg files), read and written as pure
// logic: "Windows Registry Editor Version 5.00" (UTF-16LE with BOM, CRLF) and the
// older 8-bit "REGEDIT4" (Windows-1252). Value data is kept as the store keeps
// it: text types as UTF-8 with their NULs, a DWORD as 4 little-endian bytes,
// everything else as its exact bytes.
#include "RegistryStoreTypes.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::uint32_t REG_MULTI_SZ = 7;

struct RegFileValue {
    std::string name;     // empty: the key's default value ("@")
    bool remove = false;  // "name"=- : delete the value
    std::uint32_t type = REG_NONE;
    std::string data;
    int line = 0;         // where the entry starts in the file
};

struct RegFileKey {
    std::string root;     // "HKEY_CURRENT_USER", "HKEY_CLASSES_ROOT", ...
    std::string path;     // below the root, parts separated by '\'
    bool remove = false;  // [-...] : delete the key and everything beneath it
    std::vector<RegFileValue> values;
    int line = 0;
};

struct RegFile {
    bool unicode = true;  // version 5 (true) or REGEDIT4
    std::vector<RegFileKey> keys;
};

// A file that is not in the format; line counts from 1.
class RegFileError : public std::runtime_error {
public:
    RegFileError(int line, const std::string& what)
        : std::runtime_error("line " + std::to_string(line) + ": " + what), line_(line) {}
    int Line() const { return line_; }

private:
    int line_;
};

// Reads a whole file's bytes; throws RegFileError for anything malformed.
RegFile ParseRegFile(std::string_view bytes);
// The version 5 export of file's keys (file.unicode is ignored).
std::string WriteRegFile(const RegFile& file);

} // namespace platform
