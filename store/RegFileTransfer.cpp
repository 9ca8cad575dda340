#include "RegFileTransfer.h"

#include <algorithm>
#include <cctype>
#include <functional>
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

int Depth(std::string_view path)
{
    return path.empty() ? 0 : static_cast<int>(std::count(path.begin(), path.end(), '\\')) + 1;
}

// A key path or value name for a message: at most 200 bytes of it (its start
// and its end), NULs shown as \0.
std::string Shown(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.size() > 200 && i == 100) {
            out.append("...");
            i = text.size() - 100;
        }
        out.append(text[i] == '\0' ? "\\0" : std::string(1, text[i]));
    }
    return out;
}

// One key's values in name order; those a file cannot name are left out.
void ExportValues(RegistryStore& store, const RegKey& key, RegFileKey& entry,
                  std::vector<std::string>& leftOut)
{
    std::vector<std::string> names;
    if (auto status = store.ValueNames(key, names); status != kRegSuccess)
        Fail("Cannot read the values of " + entry.path, status);
    std::sort(names.begin(), names.end());
    for (auto& name : names) {
        if (!IsValueNameAllowed(name)) {
            leftOut.push_back("the value \"" + Shown(name) + "\" of " + entry.root + "\\" + Shown(entry.path));
            continue;
        }
        RegValue value;
        if (auto status = store.QueryValue(key, name, value); status != kRegSuccess)
            Fail("Cannot read " + entry.path + "\\" + name, status);
        entry.values.push_back({std::move(name), false, value.type, std::move(value.data), 0});
    }
}

// Depth first in name order, as a recursive walk would go, on a stack of open
// keys: each key is opened from its parent, never walked to from the root.
void ExportTree(RegistryStore& store, RegRoot root, const std::string& top, RegFile& file,
                std::vector<std::string>& leftOut)
{
    struct Pending {
        RegKey key;
        std::string path;
        int depth = 0;
    };
    std::vector<Pending> pending(1);
    if (store.OpenKey(root, top, pending.back().key) != kRegSuccess)
        return;
    pending.back().path = top;
    pending.back().depth = Depth(top);
    std::vector<std::string> names;
    while (!pending.empty()) {
        Pending current = std::move(pending.back());
        pending.pop_back();
        RegFileKey entry{RootName(root), current.path, false, {}, 0};
        ExportValues(store, current.key, entry, leftOut);
        file.keys.push_back(std::move(entry));
        if (auto status = store.SubkeyNames(current.key, names); status != kRegSuccess)
            Fail("Cannot read the keys beneath " + current.path, status);
        std::sort(names.begin(), names.end(), std::greater<>());
        const bool deepest = current.depth >= kRegMaxKeyDepth;
        for (const auto& name : names) {
            const std::string path = current.path + "\\" + name;
            if (deepest || !IsKeyNameAllowed(name)) {
                leftOut.push_back("the key " + std::string(RootName(root)) + "\\" + Shown(path)
                                  + " and everything beneath it");
                continue;
            }
            Pending child{RegKey(), path, current.depth + 1};
            if (auto status = store.OpenKey(current.key, name, child.key); status != kRegSuccess)
                Fail("Cannot open " + path, status);
            pending.push_back(std::move(child));
        }
    }
}

// Applies entries to the store as they come: keys outside the allowed
// subtrees are skipped with their values.
class Importer : public RegFileVisitor {
public:
    Importer(RegistryStore& store, const std::vector<RegSubtree>& allowed) : store_(store), allowed_(allowed) {}

    void Key(RegFileKey&& entry) override
    {
        key_.Close();
        const auto root = RootOf(entry.root);
        path_ = Normalised(entry.path);
        const std::string shown = "line " + std::to_string(entry.line) + ": [" + entry.root
                                  + (path_.empty() ? "" : "\\" + path_) + "]";
        if (!root) {
            report.skipped.push_back(shown + " is under a root Pandrel does not keep");
            return;
        }
        if (path_.empty() || !Within(*root, path_, allowed_)) {
            report.skipped.push_back(shown + " is not one of Pandrel's keys");
            return;
        }
        if (entry.remove) {
            const RegStatus status = store_.DeleteKeyTree(*root, path_);
            if (status == kRegSuccess)
                ++report.keysDeleted;
            else if (status != kRegFileNotFound)
                Fail("Cannot delete " + path_, status);
            return;
        }
        if (auto status = store_.CreateKey(*root, path_, key_); status != kRegSuccess)
            Fail("Cannot create " + path_, status);
        ++report.keysWritten;
    }

    void Value(RegFileValue&& value) override
    {
        if (!key_.IsOpen())
            return;
        if (value.remove) {
            const RegStatus status = store_.DeleteValue(key_, value.name);
            if (status == kRegSuccess)
                ++report.valuesDeleted;
            else if (status != kRegFileNotFound)
                Fail("Cannot delete " + path_ + "\\" + value.name, status);
            return;
        }
        if (auto status = store_.SetValue(key_, value.name, value.type, value.data); status != kRegSuccess)
            Fail("Cannot write " + path_ + "\\" + value.name, status);
        ++report.valuesWritten;
    }

    RegImportReport report;

private:
    RegistryStore& store_;
    const std::vector<RegSubtree>& allowed_;
    RegKey key_;
    std::string path_;
};

// Runs read(importer) inside one transaction, committed only when it ends well.
template <typename Read>
RegImportReport Import(RegistryStore& store, const std::vector<RegSubtree>& allowed, Read read)
{
    Importer importer(store, allowed);
    Transaction transaction(store);
    if (auto status = transaction.Begin(); status != kRegSuccess)
        Fail("Cannot change the settings", status);
    read(importer);
    if (auto status = transaction.Commit(); status != kRegSuccess)
        Fail("Cannot change the settings", status);
    return std::move(importer.report);
}

} // namespace

RegFile ExportSubtrees(RegistryStore& store, const std::vector<RegSubtree>& subtrees,
                       std::vector<std::string>* leftOut)
{
    RegFile file;
    std::vector<std::string> ignored;
    Transaction reading(store); // one consistent view of the store
    if (auto status = reading.Begin(); status != kRegSuccess)
        Fail("Cannot read the settings", status);
    for (const auto& subtree : subtrees)
        ExportTree(store, subtree.root, Normalised(subtree.path), file, leftOut ? *leftOut : ignored);
    return file;
}

RegImportReport ImportRegFile(RegistryStore& store, const RegFile& file,
                              const std::vector<RegSubtree>& allowed)
{
    return Import(store, allowed, [&file](Importer& importer) {
        for (RegFileKey key : file.keys) {
            auto values = std::move(key.values);
            importer.Key(std::move(key));
            for (auto& value : values)
                importer.Value(std::move(value));
        }
    });
}

RegImportReport ImportRegFile(RegistryStore& store, std::istream& in, const std::vector<RegSubtree>& allowed)
{
    return Import(store, allowed, [&in](Importer& importer) { ReadRegFile(in, importer); });
}

} // namespace platform
