#include "URLHistoryStore.h"

#include "SettingsKey.h"
#include "SettingsNames.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace profiles {

namespace {

// Appends entries 1..count in order; a missing entry reads as empty text and an
// entry of another type ends the reading.
void ReadEntries(SettingsKey& key, std::int32_t count, std::vector<std::string>& entries)
{
    auto stored = key.ReadNumberedValues(kHistoryURLStem, 1, count);
    // More entries than values in the key means the count is damaged: read only
    // the entries that are really there instead of inventing empty ones. (Only
    // a history with gaps needs the key's values counted.)
    const bool countIsDamaged = stored.size() < static_cast<std::size_t>(count) && count > key.ValueCount();
    auto next = stored.begin();
    entries.reserve(countIsDamaged ? stored.size() : static_cast<std::size_t>(count));
    for (std::int64_t k = 1; k <= count; ++k) {
        if (countIsDamaged) {
            if (next == stored.end())
                break;
            k = next->first;
        }
        if (next != stored.end() && next->first == k) {
            auto& value = (next++)->second;
            if (!platform::IsTextType(value.type))
                throw ESettingsError("Invalid data type for '" + Numbered(kHistoryURLStem, k) + "'");
            value.data.resize(std::min(value.data.size(), value.data.find('\0')));
            entries.push_back(std::move(value.data));
        } else {
            entries.emplace_back();
        }
    }
}

} // namespace

StoredURLHistory ReadURLHistory(platform::RegistryStore& store)
{
    StoredURLHistory history;
    try {
        SettingsKey key(store);
        if (!key.OpenProgramKey(true))
            return history;
        if (key.ValueExists(kURLCount)) {
            const std::int32_t count = key.ReadInteger(kURLCount);
            if (count > 0)
                ReadEntries(key, count, history.entries);
        } else {
            key.WriteInteger(kURLCount, 0);
            key.Commit();
            history.countMissing = true;
        }
    } catch (const std::exception&) {
        // The history is a convenience: a damaged one loads what it can, silently.
    }
    return history;
}

bool StoreNewHistoryURL(platform::RegistryStore& store, const std::string& url)
{
    try {
        SettingsKey key(store);
        if (!key.OpenProgramKey(true))
            return false;
        std::int32_t count = 0;
        if (key.ValueExists(kURLCount)) {
            count = key.ReadInteger(kURLCount);
            if (key.NumberedTextExists(kHistoryURLStem, 1, count, url))
                return false;
        }
        if (count == std::numeric_limits<std::int32_t>::max())
            return false; // the count cannot grow further
        key.WriteString(Numbered(kHistoryURLStem, count + 1LL), url);
        key.WriteInteger(kURLCount, count + 1);
        key.Commit();
        return true;
    } catch (const std::exception&) {
        return false; // the URL history swallows store errors: the text is just not kept
    }
}

} // namespace profiles
