#include "UrlListIndex.h"

#include "Utf8Text.h"

#include <algorithm>
#include <limits>
#include <numeric>

namespace pages {
namespace {

bool BeginsWith(const std::string& text, const std::string& prefix)
{
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

} // namespace

void UrlListIndex::Assign(std::vector<std::string> entries)
{
    entries_ = std::move(entries);
    folded_.clear(); // folded when first looked up, not while the list is handed over
    Invalidate();
}

void UrlListIndex::Append(std::string entry)
{
    entries_.push_back(std::move(entry));
    // An appended entry joins the tail; the index stays valid.
}

void UrlListIndex::Insert(int index, std::string entry)
{
    if (index >= Count()) {
        Append(std::move(entry));
        return;
    }
    index = std::max(index, 0);
    folded_.resize(std::min(folded_.size(), static_cast<std::size_t>(index)));
    entries_.insert(entries_.begin() + index, std::move(entry));
    Invalidate();
}

void UrlListIndex::Replace(int index, std::string entry)
{
    if (index < 0 || index >= Count())
        return;
    if (static_cast<std::size_t>(index) < folded_.size())
        folded_[static_cast<std::size_t>(index)] = FoldCase(entry);
    entries_[static_cast<std::size_t>(index)] = std::move(entry);
    // An entry of the unindexed tail is scanned as it is; an indexed one moves.
    if (indexedCount_ != kStale && static_cast<std::size_t>(index) < indexedCount_)
        Invalidate();
}

void UrlListIndex::Remove(int index)
{
    if (index < 0 || index >= Count())
        return;
    if (static_cast<std::size_t>(index) < folded_.size())
        folded_.erase(folded_.begin() + index);
    entries_.erase(entries_.begin() + index);
    Invalidate();
}

void UrlListIndex::Clear()
{
    entries_.clear();
    folded_.clear();
    Invalidate();
}

void UrlListIndex::FoldRemaining() const
{
    folded_.reserve(entries_.size());
    while (folded_.size() < entries_.size())
        folded_.push_back(FoldCase(entries_[folded_.size()]));
}

void UrlListIndex::Build() const
{
    FoldRemaining();
    if (indexedCount_ == kStale || folded_.size() - indexedCount_ > kMaxTail)
        Rebuild();
}

void UrlListIndex::Rebuild() const
{
    sorted_.resize(folded_.size());
    std::iota(sorted_.begin(), sorted_.end(), 0u);
    std::stable_sort(sorted_.begin(), sorted_.end(),
                     [this](std::uint32_t a, std::uint32_t b) { return folded_[a] < folded_[b]; });

    // Segment tree with leaves at [n, 2n): node i holds the minimum of its children.
    const std::size_t n = sorted_.size();
    minimumTree_.assign(2 * n, std::numeric_limits<std::uint32_t>::max());
    std::copy(sorted_.begin(), sorted_.end(), minimumTree_.begin() + static_cast<std::ptrdiff_t>(n));
    for (std::size_t i = n; i-- > 1;)
        minimumTree_[i] = std::min(minimumTree_[2 * i], minimumTree_[2 * i + 1]);
    indexedCount_ = n;
}

int UrlListIndex::MinimumListIndex(std::size_t from, std::size_t to) const
{
    std::uint32_t best = std::numeric_limits<std::uint32_t>::max();
    const std::size_t n = sorted_.size();
    for (from += n, to += n; from < to; from /= 2, to /= 2) {
        if (from & 1)
            best = std::min(best, minimumTree_[from++]);
        if (to & 1)
            best = std::min(best, minimumTree_[--to]);
    }
    return static_cast<int>(best);
}

int UrlListIndex::FindFirst(const std::string& foldedPrefix) const
{
    Build();

    auto keyLess = [this](std::uint32_t entry, const std::string& prefix) { return folded_[entry] < prefix; };
    auto prefixLess = [this](const std::string& prefix, std::uint32_t entry) {
        return folded_[entry].compare(0, prefix.size(), prefix) > 0;
    };
    const auto first = std::lower_bound(sorted_.begin(), sorted_.end(), foldedPrefix, keyLess);
    const auto last = std::upper_bound(first, sorted_.end(), foldedPrefix, prefixLess);
    if (first != last)
        return MinimumListIndex(static_cast<std::size_t>(first - sorted_.begin()),
                                static_cast<std::size_t>(last - sorted_.begin()));

    for (std::size_t i = indexedCount_; i < folded_.size(); ++i)
        if (BeginsWith(folded_[i], foldedPrefix))
            return static_cast<int>(i);
    return kNotFound;
}

} // namespace pages
