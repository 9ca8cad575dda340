#include "DdeShellNames.h"

namespace platform {
namespace {

std::string DefaultText(RegistryStore& store, const char* path)
{
    RegKey key;
    RegValue value;
    if (store.OpenKey(RegRoot::ClassesRoot, path, key) != kRegSuccess ||
        store.QueryValue(key, "", value) != kRegSuccess || !IsTextType(value.type))
        return {};
    return TextOfValueData(value.data);
}

} // namespace

DdeShellNames ReadDdeShellNames(RegistryStore& store)
{
    DdeShellNames names;
    names.htmlApplication = DefaultText(store, "htmlfile\\shell\\open\\ddeexec\\application");
    names.htmlTopic = DefaultText(store, "htmlfile\\shell\\open\\ddeexec\\topic");
    names.folderApplication = DefaultText(store, "Folder\\shell\\open\\ddeexec\\application");
    names.folderTopic = DefaultText(store, "Folder\\shell\\open\\ddeexec\\topic");
    names.commands.open = DdeCommandName(DefaultText(store, "Folder\\shell\\open\\ddeexec"));
    names.commands.explore = DdeCommandName(DefaultText(store, "Folder\\shell\\explore\\ddeexec"));
    names.commands.find = DdeCommandName(DefaultText(store, "Directory\\shell\\find\\ddeexec"));
    return names;
}

} // namespace platform
