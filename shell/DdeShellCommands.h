#pragma once
// The shell's open requests as they arrive over DDE: the command names read
// from the shell's ddeexec keys, and the execute commands of web-page and
// folder conversations.
#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// "[ViewFolder(\"%l\", %I, %S)]" -> "ViewFolder": the text after the first "["
// and, of that, before the first "(".
std::string DdeCommandName(const std::string& ddeexecValue);

// The URL of a web-page execute command: a leading double quote is dropped and
// the text cut at the next one; otherwise the whole command.
std::string HtmlExecuteUrl(const std::string& command);

struct DdeCommandNames {
    std::string open;
    std::string explore;
    std::string find;
};

enum class FolderCommandKind { None = 0, Open = 1, Explore = 2, Find = 3 };

struct FolderCommand {
    FolderCommandKind kind = FolderCommandKind::None;
    std::string path;
    // The item-list reference: N alone (an item list of this process) or N:P
    // (shared memory N of process P); absent when the text names none.
    std::optional<std::int64_t> itemList;
    std::int64_t itemListProcess = 0;
    int showCommand = 1;
};

// "[ViewFolder(\"C:\\x\", :123:456, 1)]" parsed as the shell sends it.
FolderCommand ParseFolderCommand(const std::string& command, const DdeCommandNames& names);

} // namespace platform
