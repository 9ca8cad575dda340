#pragma once
// The registry editor's export format (.reg files), read and written as pure
// logic: "Windows Registry Editor Version 5.00" (UTF-16LE with BOM, CRLF) and the
// older 8-bit "REGEDIT4" (Windows-1252). Value data is kept as the store keeps
// it: text types as UTF-8 with their NULs, a DWORD as 4 little-endian bytes,
// everything else as its exact bytes.
#include "RegistryStoreTypes.h"

#include <cstddef>
#include <cstdint>
#include <istream>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

inline constexpr std::uint32_t REG_MULTI_SZ = 7;

// What a registry can hold, and so what a file may ask for: keys at most 512
// levels deep with names of at most 255 characters, value names of at most
// 16,383 characters (counted in UTF-16 units). A larger file is not a
// settings export.
inline constexpr int kRegMaxKeyDepth = 512;
inline constexpr std::size_t kRegMaxKeyNameLength = 255;
inline constexpr std::size_t kRegMaxValueNameLength = 16383;
inline constexpr std::size_t kRegMaxFileBytes = 64 * 1024 * 1024;

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

// Receives a file's entries in their order as they are read.
class RegFileVisitor {
public:
    virtual ~RegFileVisitor() = default;
    // A key header; the values that follow, up to the next key, are its own.
    virtual void Key(RegFileKey&& key) = 0;
    virtual void Value(RegFileValue&& value) = 0;
};

// Reads a file one line at a time, handing each entry to visitor as soon as it
// is whole; throws RegFileError at the first malformed line (entries before it
// have been handed out). Returns whether the file is version 5.
bool ReadRegFile(std::istream& in, RegFileVisitor& visitor);
// Reads a whole file's bytes; throws RegFileError for anything malformed.
RegFile ParseRegFile(std::string_view bytes);
// Whether a value name can stand in a file: no NUL, not too long.
bool IsValueNameAllowed(std::string_view name);
// Whether a key name (one part of a path) can stand in a file.
bool IsKeyNameAllowed(std::string_view name);
// The version 5 export of file's keys (file.unicode is ignored).
std::string WriteRegFile(const RegFile& file);

} // namespace platform
