#pragma once
// Moving parts of the store out to and in from .reg files. Only the given
// subtrees are read or written: an imported key outside them, or under a root
// the store does not keep, is skipped and reported.
#include "RegFile.h"
#include "RegistryStore.h"

#include <string>
#include <vector>

namespace platform {

struct RegSubtree {
    RegRoot root;
    std::string path; // parts separated by '\', no leading '\'
};

struct RegImportReport {
    int keysWritten = 0;
    int keysDeleted = 0;
    int valuesWritten = 0;
    int valuesDeleted = 0;
    std::vector<std::string> skipped; // "line N: [key] ..." for each entry not taken
};

// The subtrees that exist, keys in name order with their values in name order.
RegFile ExportSubtrees(RegistryStore& store, const std::vector<RegSubtree>& subtrees);
// Merges file into the store in one transaction. Throws std::runtime_error when
// the store fails; nothing is changed then.
RegImportReport ImportRegFile(RegistryStore& store, const RegFile& file,
                              const std::vector<RegSubtree>& allowed);

} // namespace platform
