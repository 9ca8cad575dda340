// The shell-request window, the initiates it answers and the execute commands
// that follow (ShellRequestRedirection.h).
#include "ShellRequestRedirection.h"

#include "DdeAtomTable.h"
#include "DdeMemory.h"
#include "DdeShellNames.h"
#include "ErrorReport.h"
#include "ShellExecuteRequest.h"
#include "ShellItemListTable.h"

namespace platform {

namespace {

// Shared by every host: the names are re-read whenever a host builds its
// redirection; the conversation kind is set by the last answered initiate;
// while one host's explore or find runs, no host answers an initiate.
struct ModuleShellRequests {
    DdeShellNames names;
    bool htmlConversation = false;
    bool shellCallUnderWay = false;
};

ModuleShellRequests& Module()
{
    static ModuleShellRequests state;
    return state;
}

// Marks a shell call under way for as long as it lives.
class ShellCallUnderWay {
public:
    ShellCallUnderWay() { Module().shellCallUnderWay = true; }
    ~ShellCallUnderWay() { Module().shellCallUnderWay = false; }
    ShellCallUnderWay(const ShellCallUnderWay&) = delete;
    ShellCallUnderWay& operator=(const ShellCallUnderWay&) = delete;
};

// An atom's name as a 256-byte buffer would hold it.
std::string AtomName(Atom atom)
{
    std::string name = DdeAtomTable::Program().Name(atom).value_or("");
    if (name.size() > 255)
        name.resize(255);
    return name;
}

// The item list a folder command names: a shared block of process P held by
// this process, or a list this process handed out. Never an address.
std::optional<ItemIdList> ResolveItemList(const FolderCommand& command)
{
    if (!command.itemList)
        return std::nullopt;
    ShellItemListTable& table = ShellItemListTable::Program();
    if (command.itemListProcess != 0)
        return table.TakeShared(*command.itemList, command.itemListProcess);
    return table.Take(*command.itemList);
}

void RunShellCall(const char* verb, const char* className, const FolderCommand& command,
                  const std::optional<ItemIdList>& itemList)
{
    ShellExecuteRequest request;
    request.lpVerb = verb;
    request.lpClass = className;
    request.nShow = command.showCommand;
    const std::uint32_t classMask = *className ? SEE_MASK_CLASSNAME : 0;
    if (!command.path.empty()) {
        request.lpFile = command.path;
        request.fMask = classMask;
    } else {
        request.lpIDList = itemList;
        request.fMask = classMask | SEE_MASK_IDLIST;
    }
    ShellCallUnderWay guard;
    ShellExecuteEx(request);
}

} // namespace

ShellRequestRedirection::ShellRequestRedirection(HostOptionsSite& site, RegistryStore& store, DdeWindow server)
    : site_(site), server_(server),
      window_([this](std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) { return Procedure(message, wParam, lParam); },
              true)
{
    Module().names = ReadDdeShellNames(store);
}

std::intptr_t ShellRequestRedirection::Procedure(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam)
{
    if (message == WM_DDE_INITIATE && site_.EnableDDE())
        AnswerInitiate(static_cast<DdeWindow>(wParam), lParam);
    return 0;
}

void ShellRequestRedirection::AnswerInitiate(DdeWindow client, std::intptr_t lParam)
{
    ModuleShellRequests& module = Module();
    if (module.shellCallUnderWay)
        return;
    // This process and the thread the host's windows belong to (the thread
    // that runs its window procedures), whoever sends the initiate.
    const auto owner = DdeRouter::Program().ProcessAndThreadOf(client);
    if (!owner || owner != DdeRouter::Program().ProcessAndThreadOf(Window()) ||
        owner->first != CurrentProcessId())
        return;
    const std::string application = AtomName(LowWord(lParam));
    module.htmlConversation = application == module.names.htmlApplication;
    const std::string& ourApplication =
        module.htmlConversation ? module.names.htmlApplication : module.names.folderApplication;
    const std::string& ourTopic = module.htmlConversation ? module.names.htmlTopic : module.names.folderTopic;
    DdeAtomTable& atoms = DdeAtomTable::Program();
    const Atom applicationAtom = atoms.Add(ourApplication);
    const Atom topicAtom = atoms.Add(ourTopic);
    if (applicationAtom && topicAtom && applicationAtom == LowWord(lParam) && topicAtom == HighWord(lParam))
        DdeRouter::Program().Send(client, WM_DDE_ACK, server_, MakeLParam(applicationAtom, topicAtom));
    if (applicationAtom)
        atoms.Delete(applicationAtom);
    if (topicAtom)
        atoms.Delete(topicAtom);
}

void ShellRequestRedirection::Execute(DdeWindow client, std::intptr_t lParam)
{
    DdeMemory& memory = DdeMemory::Program();
    const auto unpacked = memory.Unpack(lParam);
    if (!unpacked)
        return;
    const DdeMemoryHandle commands = unpacked->second;
    const std::string* locked = memory.Lock(commands);
    if (!locked)
        return;
    const std::string command(locked->c_str()); // the text up to its terminating zero
    std::uintptr_t acknowledgement = 0;
    try {
        if (Module().htmlConversation) {
            NavigateToText(HtmlExecuteUrl(command));
            acknowledgement = 1;
        } else {
            acknowledgement = ExecuteFolderCommand(command);
        }
    } catch (...) {
        // A navigation the control refused: reported, and the client is told
        // the command failed rather than left waiting.
        ReportCurrentException();
        acknowledgement = 0;
    }
    memory.Unlock(commands);
    memory.Reuse(lParam, acknowledgement, commands);
    DdeRouter::Program().Post(client, WM_DDE_ACK, server_, lParam);
}

std::uintptr_t ShellRequestRedirection::ExecuteFolderCommand(const std::string& text)
{
    const FolderCommand command = ParseFolderCommand(text, Module().names.commands);
    const std::optional<ItemIdList> itemList = ResolveItemList(command);
    switch (command.kind) {
    case FolderCommandKind::Open:
        if (!command.path.empty()) {
            NavigateToText(command.path);
        } else if (itemList) {
            Variant URL(*itemList), Flags, TargetFrameName, PostData, Headers;
            site_.Navigate2(URL, Flags, TargetFrameName, PostData, Headers);
        }
        return 1;
    case FolderCommandKind::Explore:
        RunShellCall("explore", "folder", command, itemList);
        return 1;
    case FolderCommandKind::Find:
        RunShellCall("find", "", command, itemList);
        return 1;
    case FolderCommandKind::None:
        break;
    }
    return 0;
}

void ShellRequestRedirection::NavigateToText(const std::string& url)
{
    Variant URL(url), Flags(std::int32_t(0)), TargetFrameName(std::int32_t(0)), PostData(std::int32_t(0)),
        Headers(std::int32_t(0));
    site_.Navigate2(URL, Flags, TargetFrameName, PostData, Headers);
}

} // namespace platform
