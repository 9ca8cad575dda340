// Queries over values named stem + number: reading a numbered range, and
// asking whether some value of the range reads as a text.
#include "RegistryStore.h"

#include "SqliteStatement.h"

#include <sqlite3.h>

namespace platform {

namespace {

char LowerAscii(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// The number in name = stem + decimal (optional '-', no leading zeros), if it is one.
bool NumberAfterStem(std::string_view name, std::string_view stem, std::int64_t& number)
{
    if (name.size() <= stem.size())
        return false;
    for (std::size_t i = 0; i < stem.size(); ++i)
        if (LowerAscii(name[i]) != LowerAscii(stem[i]))
            return false;
    std::string_view digits = name.substr(stem.size());
    const bool negative = digits.front() == '-';
    if (negative)
        digits.remove_prefix(1);
    if (digits.empty() || digits.size() > 10 || (digits.front() == '0' && digits.size() > 1)
        || (negative && digits == "0"))
        return false;
    std::int64_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return false;
        value = value * 10 + (c - '0');
    }
    number = negative ? -value : value;
    return true;
}

// Lower bound and exclusive upper bound of names starting with stem, in NOCASE order.
std::pair<std::string, std::string> StemRange(std::string_view stem)
{
    std::string low(stem);
    for (char& c : low)
        c = LowerAscii(c);
    std::string high = low;
    high.push_back(static_cast<char>(0x7f));
    return {low, high};
}

} // namespace

RegStatus RegistryStore::ReadNumberedValues(
    const RegKey& key, std::string_view stem, std::int64_t first, std::int64_t last,
    const std::function<void(std::int64_t, RegValue&&)>& visit)
{
    if (auto status = CheckKey(key); status != kRegSuccess)
        return status;
    auto* scan = db_.Cached("SELECT name, type, data FROM reg_values"
                            " WHERE key = ?1 AND name >= ?2 AND name < ?3");
    if (!scan)
        return kRegIoFailed;
    const auto [low, high] = StemRange(stem);
    scan->Bind(1, key.id_);
    scan->Bind(2, low);
    scan->Bind(3, high);
    int rc;
    while ((rc = scan->Step()) == SQLITE_ROW) {
        std::int64_t number = 0;
        if (!NumberAfterStem(scan->ColumnView(0), stem, number) || number < first || number > last)
            continue;
        RegValue value;
        value.type = static_cast<std::uint32_t>(scan->ColumnInt(1));
        value.data = scan->ColumnBytes(2);
        visit(number, std::move(value));
    }
    scan->Reset();
    return StatusOf(rc);
}

RegStatus RegistryStore::FindNumberedText(const RegKey& key, std::string_view stem,
                                          std::int64_t first, std::int64_t last,
                                          std::string_view text, NumberedTextMatch& match,
                                          std::int64_t* nonTextNumber)
{
    if (auto status = CheckKey(key); status != kRegSuccess)
        return status;
    match = NumberedTextMatch::Absent;
    if (first > last)
        return kRegSuccess;

    // Any value of another type in the range would make reading them all fail.
    auto* nonText = db_.Cached("SELECT name FROM reg_values INDEXED BY reg_values_nontext"
                                " WHERE key = ?1 AND text IS NULL");
    if (!nonText)
        return kRegIoFailed;
    nonText->Bind(1, key.id_);
    int rc;
    std::int64_t lowest = 0;
    while ((rc = nonText->Step()) == SQLITE_ROW) {
        std::int64_t number = 0;
        if (NumberAfterStem(nonText->ColumnView(0), stem, number) && number >= first
            && number <= last) {
            if (match != NumberedTextMatch::NonTextValue || number < lowest)
                lowest = number;
            match = NumberedTextMatch::NonTextValue;
            if (!nonTextNumber)
                break;
        }
    }
    nonText->Reset();
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        return StatusOf(rc);
    if (match == NumberedTextMatch::NonTextValue) {
        if (nonTextNumber)
            *nonTextNumber = lowest;
        return kRegSuccess;
    }

    auto* equal = db_.Cached("SELECT name FROM reg_values WHERE key = ?1 AND text = ?2");
    if (!equal)
        return kRegIoFailed;
    equal->Bind(1, key.id_);
    equal->BindBlob(2, text);
    while ((rc = equal->Step()) == SQLITE_ROW) {
        std::int64_t number = 0;
        if (NumberAfterStem(equal->ColumnView(0), stem, number) && number >= first
            && number <= last) {
            match = NumberedTextMatch::Present;
            break;
        }
    }
    equal->Reset();
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        return StatusOf(rc);
    if (match == NumberedTextMatch::Present || !text.empty())
        return kRegSuccess;

    // A missing value reads as empty text: the empty text is present when any
    // number of the range has no value.
    std::int64_t stored = 0;
    const RegStatus status = ReadNumberedValues(key, stem, first, last,
                                                [&stored](std::int64_t, RegValue&&) { ++stored; });
    if (status == kRegSuccess && stored < last - first + 1)
        match = NumberedTextMatch::Present;
    return status;
}

} // namespace platform
