#include "DdeAtomTable.h"

#include <algorithm>

namespace platform {
namespace {
constexpr Atom kFirstAtom = 0xC000;
constexpr std::size_t kLongestName = 255;
} // namespace

DdeAtomTable& DdeAtomTable::Program()
{
    static DdeAtomTable table;
    return table;
}

std::string DdeAtomTable::Folded(const std::string& name)
{
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(),
                   [](unsigned char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : char(c); });
    return folded;
}

Atom DdeAtomTable::Add(const std::string& name)
{
    if (name.empty() || name.size() > kLongestName)
        return 0;
    const std::string folded = Folded(name);
    if (auto found = byFoldedName_.find(folded); found != byFoldedName_.end()) {
        ++entries_[found->second].uses;
        return found->second;
    }
    // The lowest free atom, so a long-running program never runs out.
    Atom atom = kFirstAtom;
    for (const auto& [used, entry] : entries_) {
        if (used != atom)
            break;
        if (atom == 0xFFFF)
            return 0;
        ++atom;
    }
    entries_[atom] = Entry{name, 1};
    byFoldedName_[folded] = atom;
    return atom;
}

Atom DdeAtomTable::Find(const std::string& name) const
{
    auto found = byFoldedName_.find(Folded(name));
    return found == byFoldedName_.end() ? 0 : found->second;
}

Atom DdeAtomTable::Delete(Atom atom)
{
    auto found = entries_.find(atom);
    if (found == entries_.end())
        return atom;
    if (--found->second.uses == 0) {
        byFoldedName_.erase(Folded(found->second.name));
        entries_.erase(found);
    }
    return 0;
}

std::optional<std::string> DdeAtomTable::Name(Atom atom) const
{
    auto found = entries_.find(atom);
    if (found == entries_.end())
        return std::nullopt;
    return found->second.name;
}

} // namespace platform
