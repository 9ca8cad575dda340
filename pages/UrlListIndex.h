#pragma once
// The drop-down list of the URL box as completion sees it: the entries in list
// order and a case-folded, sorted index that answers "the first entry, in list
// order, that begins with this prefix" without scanning the whole list. Both
// the folding and the index wait for the first lookup, so handing over a long
// list costs no more than moving it.
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

    // Makes the index ready now instead of at the next lookup.
    void Build() const;

private:
    void Invalidate() { indexedCount_ = kStale; }
    // Folds the entries not folded yet: folded_ covers a prefix of entries_.
    void FoldRemaining() const;
    void Rebuild() const;
    int MinimumListIndex(std::size_t from, std::size_t to) const;

    static constexpr std::size_t kStale = static_cast<std::size_t>(-1);
    static constexpr std::size_t kMaxTail = 512;

    std::vector<std::string> entries_;
    mutable std::vector<std::string> folded_;
    // Built lazily: list indices sorted by folded text, and a segment tree of
    // minimum list indices over that order.
    mutable std::vector<std::uint32_t> sorted_;
    mutable std::vector<std::uint32_t> minimumTree_;
    mutable std::size_t indexedCount_ = 0;
};

} // namespace pages
