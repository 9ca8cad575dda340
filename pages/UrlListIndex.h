#pragma once
// The drop-down list of the URL box as completion sees it: the entries in list
// order and a case-folded, sorted index that answers "the first entry, in list
// order, that begins with this prefix" without scanning the whole list.
//
// Entries appended since the index was last built are kept in a short tail
// and scanned in order; they come after every indexed entry in the list, so an
// indexed match always wins. Any other change rebuilds the index on the next
// lookup.
#include <cstdint>
#include <string>
#include <vector>

namespace pages {

class UrlListIndex {
public:
    static constexpr int kNotFound = -1;

    void Assign(std::vector<std::string> entries);
    void Append(std::string entry);
    void Insert(int index, std::string entry);
    void Replace(int index, std::string entry);
    void Remove(int index);
    void Clear();

    int Count() const { return static_cast<int>(entries_.size()); }
    const std::string& Entry(int index) const { return entries_[static_cast<std::size_t>(index)]; }

    // Index of the first entry in list order whose case-folded text begins with
    // foldedPrefix (already folded with FoldCase), or kNotFound.
    int FindFirst(const std::string& foldedPrefix) const;

    // Builds the index now instead of at the next lookup.
    void Build() const;

private:
    void Invalidate() { indexedCount_ = kStale; }
    int MinimumListIndex(std::size_t from, std::size_t to) const;

    static constexpr std::size_t kStale = static_cast<std::size_t>(-1);
    static constexpr std::size_t kMaxTail = 512;

    std::vector<std::string> entries_;
    std::vector<std::string> folded_;
    // Built lazily: list indices sorted by folded text, and a segment tree of
    // minimum list indices over that order.
    mutable std::vector<std::uint32_t> sorted_;
    mutable std::vector<std::uint32_t> minimumTree_;
    mutable std::size_t indexedCount_ = 0;
};

} // namespace pages
