#include "SettingsKey.h"

#include "SettingsNames.h"

#include <algorithm>

namespace profiles {

using namespace platform;

namespace {

constexpr const char* kFailedToSet = "Failed to set data for '%s'";
constexpr const char* kFailedToGet = "Failed to get data for '%s'";
constexpr const char* kInvalidType = "Invalid data type for '%s'";

std::string Format(const char* format, const std::string& name)
{
    std::string text = format;
    text.replace(text.find("%s"), 2, name);
    return text;
}

} // namespace

SettingsKey::SettingsKey(RegistryStore& store, Access access)
    : store_(store),
      transaction_(store, access == Access::Read ? TransactionKind::Read : TransactionKind::Write)
{
    if (!store_.IsAvailable())
        return; // every key open fails, which callers treat as "no key"
    const RegStatus status = transaction_.Begin();
    if (status == kRegBusy)
        throw ESettingsError("The settings are in use by another Pandrel and could not be "
                             "reached in time.");
    if (status != kRegSuccess)
        throw ESettingsError("The settings file \"" + store_.FilePath().string()
                             + "\" could not be used.");
}

void SettingsKey::Fail(const char* format, const std::string& name)
{
    throw ESettingsError(Format(format, name));
}

bool SettingsKey::OpenKey(const std::string& path, bool canCreate)
{
    RegKey opened;
    RegStatus status;
    const bool absolute = !path.empty() && path.front() == '\\';
    if (absolute || !key_.IsOpen())
        status = canCreate ? store_.CreateKey(RegRoot::CurrentUser, path, opened)
                           : store_.OpenKey(RegRoot::CurrentUser, path, opened);
    else
        status = canCreate ? store_.CreateKey(key_, path, opened)
                           : store_.OpenKey(key_, path, opened);
    if (status != kRegSuccess)
        return false;
    key_ = std::move(opened);
    return true;
}

bool SettingsKey::OpenProgramKey(bool canCreate)
{
    return OpenKey(kProgramKey, canCreate);
}

bool SettingsKey::ValueExists(const std::string& name)
{
    RegValue value;
    return key_.IsOpen() && store_.QueryValue(key_, name, value) == kRegSuccess;
}

std::string SettingsKey::ReadString(const std::string& name)
{
    RegValue value;
    const RegStatus status = store_.QueryValue(key_, name, value);
    if (status == kRegFileNotFound)
        return {};
    if (status != kRegSuccess)
        Fail(kFailedToGet, name);
    if (!IsTextType(value.type))
        Fail(kInvalidType, name);
    return TextOfValueData(value.data);
}

std::int32_t SettingsKey::ReadInteger(const std::string& name)
{
    RegValue value;
    // A number is read into four bytes: anything longer does not fit, whatever its type.
    if (store_.QueryValue(key_, name, value) != kRegSuccess || value.data.size() > 4)
        Fail(kFailedToGet, name);
    if (value.type != REG_DWORD)
        Fail(kInvalidType, name);
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < value.data.size(); ++i)
        bits |= static_cast<std::uint32_t>(static_cast<unsigned char>(value.data[i])) << (8 * i);
    return static_cast<std::int32_t>(bits);
}

void SettingsKey::WriteString(const std::string& name, const std::string& text)
{
    std::string data = text;
    data.push_back('\0');
    if (store_.SetValue(key_, name, REG_SZ, data) != kRegSuccess)
        Fail(kFailedToSet, name);
}

std::optional<std::string> SettingsKey::ReadBinary(const std::string& name)
{
    RegValue value;
    if (!key_.IsOpen() || store_.QueryValue(key_, name, value) != kRegSuccess || value.type != REG_BINARY)
        return std::nullopt;
    return std::move(value.data);
}

void SettingsKey::WriteBinary(const std::string& name, const std::string& bytes)
{
    if (store_.SetValue(key_, name, REG_BINARY, bytes) != kRegSuccess)
        Fail(kFailedToSet, name);
}

void SettingsKey::DeleteValue(const std::string& name)
{
    const RegStatus status = store_.DeleteValue(key_, name);
    if (status != kRegSuccess && status != kRegFileNotFound)
        Fail(kFailedToSet, name);
}

void SettingsKey::WriteInteger(const std::string& name, std::int32_t value)
{
    const auto bits = static_cast<std::uint32_t>(value);
    const char data[4] = {static_cast<char>(bits & 0xff), static_cast<char>((bits >> 8) & 0xff),
                          static_cast<char>((bits >> 16) & 0xff),
                          static_cast<char>((bits >> 24) & 0xff)};
    if (store_.SetValue(key_, name, REG_DWORD, std::string_view(data, 4)) != kRegSuccess)
        Fail(kFailedToSet, name);
}

std::int64_t SettingsKey::ValueCount()
{
    std::int64_t count = 0;
    if (store_.CountValues(key_, count) != kRegSuccess)
        throw ESettingsError("The settings could not be read.");
    return count;
}

std::vector<std::pair<std::int64_t, RegValue>>
SettingsKey::ReadNumberedValues(const std::string& stem, std::int64_t first, std::int64_t last)
{
    std::vector<std::pair<std::int64_t, RegValue>> values;
    if (last < first)
        return values;
    const RegStatus status = store_.ReadNumberedValues(
        key_, stem, first, last,
        [&values](std::int64_t number, RegValue&& value) {
            values.emplace_back(number, std::move(value));
        });
    if (status != kRegSuccess)
        Fail(kFailedToGet, Numbered(stem.c_str(), first));
    // Names come back in text order ("URL1", "URL10", "URL2"...). Numbers are
    // unique, so a dense range is put in order by position; a sparse one is sorted.
    const auto span = static_cast<std::uint64_t>(last - first) + 1;
    if (span <= 2 * values.size() + 1024) {
        std::vector<std::pair<std::int64_t, RegValue>> placed(span);
        std::vector<bool> used(span, false);
        for (auto& entry : values) {
            const auto slot = static_cast<std::size_t>(entry.first - first);
            used[slot] = true;
            placed[slot] = std::move(entry);
        }
        values.clear();
        for (std::size_t slot = 0; slot < span; ++slot)
            if (used[slot])
                values.push_back(std::move(placed[slot]));
    } else {
        std::sort(values.begin(), values.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
    }
    return values;
}

bool SettingsKey::NumberedTextExists(const std::string& stem, std::int64_t first,
                                     std::int64_t last, const std::string& text)
{
    NumberedTextMatch match = NumberedTextMatch::Absent;
    std::int64_t nonText = first;
    if (store_.FindNumberedText(key_, stem, first, last, text, match, &nonText) != kRegSuccess)
        Fail(kFailedToGet, Numbered(stem.c_str(), first));
    if (match == NumberedTextMatch::NonTextValue)
        Fail(kInvalidType, Numbered(stem.c_str(), nonText));
    return match == NumberedTextMatch::Present;
}

void SettingsKey::Commit()
{
    key_.Close();
    if (transaction_.IsActive() && transaction_.Commit() != kRegSuccess)
        throw ESettingsError("The settings could not be saved to \"" + store_.FilePath().string()
                             + "\".");
}

} // namespace profiles
