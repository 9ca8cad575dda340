#pragma once
// The global atom table: names (up to 255 characters, compared without regard
// to ASCII case) stored once with a use count and named by a 16-bit atom
// (0xC000 and up; 0 names none).
#include <cstdint>
#include <map>
#include <optional>
#include <string>

namespace platform {

using Atom = std::uint16_t;

class DdeAtomTable {
public:
    // The program-wide table.
    static DdeAtomTable& Program();

    // Adds name or counts one more use of it; 0 for an empty, too long or
    // unplaceable name.
    Atom Add(const std::string& name);
    // The atom of name, or 0.
    Atom Find(const std::string& name) const;
    // Counts one use less; the atom goes with its last use. Returns 0 on
    // success and the atom itself when it names nothing.
    Atom Delete(Atom atom);
    // The name of atom, or nullopt.
    std::optional<std::string> Name(Atom atom) const;

private:
    struct Entry {
        std::string name;
        int uses = 0;
    };
    static std::string Folded(const std::string& name);
    std::map<Atom, Entry> entries_;
    std::map<std::string, Atom> byFoldedName_;
};

} // namespace platform
