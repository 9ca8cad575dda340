// The program's version record, placed in a section of its own so that the
// version label can find it in the program file (see toolkit/VersionRecord.h).
// The numbers come from the project version given to CMake; "used" keeps the
// record although no code refers to it.
#include "VersionRecord.h"

namespace {

[[gnu::section(".pandrel_version"), gnu::used]]
const platform::VersionRecordLayout programVersionRecord = platform::MakeVersionRecord(
    PANDREL_VERSION_MAJOR, PANDREL_VERSION_MINOR, PANDREL_VERSION_RELEASE, PANDREL_VERSION_BUILD);

} // namespace
