#pragma once
// Moving parts of the store out to and in from .reg files. Only the given
// subtrees are read or written: an imported key outside them, or under a root
// the store does not keep, is skipped and reported.
#include "RegFile.h"
#include "RegistryStore.h"

#include <istream>
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

// The subtrees that exist, keys in name order with their values in name order,
// walked without recursion. Keys and values a file cannot hold (deeper than
// kRegMaxKeyDepth, names too long or holding NUL) are left out, and named in
// leftOut when given, so that what is written always reads back.
RegFile ExportSubtrees(RegistryStore& store, const std::vector<RegSubtree>& subtrees,
                       std::vector<std::string>* leftOut = nullptr);
// Merges file into the store in one transaction. Throws std::runtime_error when
// the store fails; nothing is changed then.
RegImportReport ImportRegFile(RegistryStore& store, const RegFile& file,
                              const std::vector<RegSubtree>& allowed);
// The same, reading the file one line at a time as it merges. A malformed line
// throws RegFileError and rolls everything back, so nothing is changed then.
RegImportReport ImportRegFile(RegistryStore& store, std::istream& in,
                              const std::vector<RegSubtree>& allowed);

} // namespace platform
