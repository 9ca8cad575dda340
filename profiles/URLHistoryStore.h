#pragma once
// The stored URL history ("URLCount", "URL1".."URLn" in the program's key),
// without any widget: what LoadURLHistory and AddURLToHistory do to the store.
#include "RegistryStore.h"

#include <string>
#include <vector>

namespace profiles {

struct StoredURLHistory {
    bool countMissing = false;         // no "URLCount": the first run
    std::vector<std::string> entries;  // the entries read, oldest first
};

// Reads the history. Errors end the reading silently, keeping the entries read
// before them. With "URLCount" missing, writes it as 0 and reports countMissing.
// A count beyond what the key can hold is damage: only the stored entries are read.
StoredURLHistory ReadURLHistory(platform::RegistryStore& store);

// Appends url as entry URLCount + 1 unless an entry 1..URLCount reads as exactly
// url. True when both writes were committed; any error gives false silently.
bool StoreNewHistoryURL(platform::RegistryStore& store, const std::string& url);

} // namespace profiles
