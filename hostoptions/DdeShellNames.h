#pragma once
// The shell's DDE names: which application and topic a web-page or folder
// open request uses, and the command names of its open, explore and find
// requests, read from the classes root of the settings store.
#include "DdeShellCommands.h"
#include "RegistryStore.h"

#include <string>

namespace platform {

struct DdeShellNames {
    std::string htmlApplication;
    std::string htmlTopic;
    std::string folderApplication;
    std::string folderTopic;
    DdeCommandNames commands;
};

// Keys that do not open give empty names; nothing is reported.
DdeShellNames ReadDdeShellNames(RegistryStore& store);

} // namespace platform
