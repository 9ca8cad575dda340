#pragma once
// The accessor one store operation works through: it opens keys, reads and writes
// typed values and turns failures into ESettingsError with the store's messages.
// The whole operation is one transaction: Commit() makes it stick; an accessor
// destroyed without it (an error ended the operation) rolls everything back.
#include "ESettingsError.h"
#include "RegistryStore.h"

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace profiles {

class SettingsKey {
public:
    // Reading operations take no write lock, so they never wait for another
    // process's write; writing ones take it at the start.
    enum class Access { Read, Write };

    // Starts the operation. Throws ESettingsError when the store is held by
    // another process for too long.
    explicit SettingsKey(platform::RegistryStore& store, Access access = Access::Write);
    ~SettingsKey() = default;
    SettingsKey(const SettingsKey&) = delete;
    SettingsKey& operator=(const SettingsKey&) = delete;

    // Opens a key (absolute when path starts with '\', else beneath the current
    // key) and makes it current. False when it cannot be opened or created.
    bool OpenKey(const std::string& path, bool canCreate);
    // The program's key "\Software\Kestrane\Pandrel".
    bool OpenProgramKey(bool canCreate);

    bool ValueExists(const std::string& name);
    // Missing: empty text. Text ends at the first NUL.
    std::string ReadString(const std::string& name);
    std::int32_t ReadInteger(const std::string& name);
    bool ReadBool(const std::string& name) { return ReadInteger(name) != 0; }
    void WriteString(const std::string& name, const std::string& text);
    void WriteInteger(const std::string& name, std::int32_t value);
    void WriteBool(const std::string& name, bool value) { WriteInteger(name, value ? 1 : 0); }
    // A REG_BINARY value's bytes; nothing when it is missing or of another type.
    std::optional<std::string> ReadBinary(const std::string& name);
    void WriteBinary(const std::string& name, const std::string& bytes);
    void DeleteValue(const std::string& name);

    // How many values the current key holds (bounds what a stored count can mean).
    std::int64_t ValueCount();
    // The values stem<first>..stem<last> that exist, ordered by number.
    std::vector<std::pair<std::int64_t, platform::RegValue>>
    ReadNumberedValues(const std::string& stem, std::int64_t first, std::int64_t last);
    // Whether reading stem<first>..stem<last> as text meets text; throws the
    // "Invalid data type" error when one of them is not text.
    bool NumberedTextExists(const std::string& stem, std::int64_t first, std::int64_t last,
                            const std::string& text);

    // Ends the operation normally, keeping what it wrote.
    void Commit();

private:
    [[noreturn]] static void Fail(const char* format, const std::string& name);

    platform::RegistryStore& store_;
    platform::Transaction transaction_;
    platform::RegKey key_;
};

} // namespace profiles
