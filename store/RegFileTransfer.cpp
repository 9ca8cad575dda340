#include "RegFileTransfer.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <stdexcept>

namespace platform {

namespace {

constexpr const char* kCurrentUser = "HKEY_CURRENT_USER";
constexpr const char* kClassesRoot = "HKEY_CLASSES_ROOT";

const char* RootName(RegRoot root)
{
    return root == RegRoot::CurrentUser ? kCurrentUser : kClassesRoot;
}

std::string Lower(std::string_view s)
{
    std::string out(s);
    for (auto& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::optional<RegRoot> RootOf(const std::string& name)
{
    const std::string lower = Lower(name);
    if (lower == "hkey_current_user")
        return RegRoot::CurrentUser;
    if (lower == "hkey_classes_root")
        return RegRoot::ClassesRoot;
    return std::nullopt;
}

// The path with empty parts dropped, so "a\\b\" and "a\b" are the same key.
std::string Normalised(std::string_view path)
{
    std::string out;
    while (!path.empty()) {
        const auto separator = path.find('\\');
        const auto part = path.substr(0, separator);
        if (!part.empty())
            out.append(out.empty() ? "" : "\\").append(part);
        if (separator == std::string_view::npos)
            break;
        path.remove_prefix(separator + 1);
    }
    return out;
}

bool Within(RegRoot root, const std::string& path, const std::vector<RegSubtree>& allowed)
{
    const std::string lower = Lower(Normalised(path));
    for (const auto& subtree : allowed) {
        const std::string top = Lower(Normalised(subtree.path));
        if (subtree.root == root
            && (lower == top || (lower.starts_with(top) && lower.size() > top.size() && lower[top.size()] == '\\')))
            return true;
    }
    return false;
}

void Fail(const std::string& what, RegStatus status)
{
    throw std::runtime_error(what + " (store error " + std::to_string(status) + ")");
}

void ExportKey(RegistryStore& store, RegRoot root, const std::string& path, RegFile& file)
{
    RegKey key;
    if (store.OpenKey(root, path, key) != kRegSuccess)
        return;
    RegFileKey entry{RootName(root), path, false, {}, 0};
    std::vector<std::string> names;
    if (auto status = store.ValueNames(key, names); status != kRegSuccess)
        Fail("Cannot read the values of " + path, status);
    std::sort(names.begin(), names.end());
    for (const auto& name : names) {
        RegValue value;
        if (auto status = store.QueryValue(key, name, value); status != kRegSuccess)
            Fail("Cannot read " + path + "\\" + name, status);
        entry.values.push_back({name, false, value.type, std::move(value.data), 0});
    }
    file.keys.push_back(std::move(entry));
    if (auto status = store.SubkeyNames(key, names); status != kRegSuccess)
        Fail("Cannot read the keys beneath " + path, status);
    std::sort(names.begin(), names.end());
    for (const auto& name : names)
        ExportKey(store, root, path + "\\" + name, file);
}

} // namespace

RegFile ExportSubtrees(RegistryStore& store, const std::vector<RegSubtree>& subtrees)
{
    RegFile file;
    Transaction reading(store); // one consistent view of the store
    if (auto status = reading.Begin(); status != kRegSuccess)
        Fail("Cannot read the settings", status);
    for (const auto& subtree : subtrees)
        ExportKey(store, subtree.root, Normalised(subtree.path), file);
    return file;
}

RegImportReport ImportRegFile(RegistryStore& store, const RegFile& file,
                              const std::vector<RegSubtree>& allowed)
{
    RegImportReport report;
    Transaction transaction(store);
    if (auto status = transaction.Begin(); status != kRegSuccess)
        Fail("Cannot change the settings", status);
    for (const auto& entry : file.keys) {
        const auto root = RootOf(entry.root);
        const std::string path = Normalised(entry.path);
        const std::string shown = "line " + std::to_string(entry.line) + ": [" + entry.root
                                  + (path.empty() ? "" : "\\" + path) + "]";
        if (!root) {
            report.skipped.push_back(shown + " is under a root Pandrel does not keep");
            continue;
        }
        if (path.empty() || !Within(*root, path, allowed)) {
            report.skipped.push_back(shown + " is not one of Pandrel's keys");
            continue;
        }
        if (entry.remove) {
            const RegStatus status = store.DeleteKeyTree(*root, path);
            if (status == kRegSuccess)
                ++report.keysDeleted;
            else if (status != kRegFileNotFound)
                Fail("Cannot delete " + path, status);
            continue;
        }
        RegKey key;
        if (auto status = store.CreateKey(*root, path, key); status != kRegSuccess)
            Fail("Cannot create " + path, status);
        ++report.keysWritten;
        for (const auto& value : entry.values) {
            if (value.remove) {
                const RegStatus status = store.DeleteValue(key, value.name);
                if (status == kRegSuccess)
                    ++report.valuesDeleted;
                else if (status != kRegFileNotFound)
                    Fail("Cannot delete " + path + "\\" + value.name, status);
                continue;
            }
            if (auto status = store.SetValue(key, value.name, value.type, value.data); status != kRegSuccess)
                Fail("Cannot write " + path + "\\" + value.name, status);
            ++report.valuesWritten;
        }
    }
    if (auto status = transaction.Commit(); status != kRegSuccess)
        Fail("Cannot change the settings", status);
    return report;
}

} // namespace platform
