#include "RegistryStore.h"

#include "RegistryStoreLocation.h"
#include "SqliteStatement.h"

#include <sqlite3.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace platform {

namespace {

constexpr std::int64_t kCurrentUserId = 1;
constexpr std::int64_t kClassesRootId = 2;
constexpr int kBusyTimeoutMs = 10000;

// Names, parents and values. `text` holds a text value's bytes up to its first
// NUL (NULL for other types), so "which value reads as this text" is one index
// lookup.
constexpr const char* kSchema =
    "CREATE TABLE IF NOT EXISTS reg_keys("
    "  id INTEGER PRIMARY KEY, parent INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE,"
    "  UNIQUE(parent, name));"
    "CREATE TABLE IF NOT EXISTS reg_values("
    "  key INTEGER NOT NULL, name TEXT NOT NULL COLLATE NOCASE, type INTEGER NOT NULL,"
    "  data BLOB NOT NULL, text BLOB, PRIMARY KEY(key, name)) WITHOUT ROWID;"
    "CREATE INDEX IF NOT EXISTS reg_values_text ON reg_values(key, text) WHERE text IS NOT NULL;"
    "CREATE INDEX IF NOT EXISTS reg_values_nontext ON reg_values(key) WHERE text IS NULL;"
    "INSERT OR IGNORE INTO reg_keys(id, parent, name) VALUES"
    "  (1, 0, 'HKEY_CURRENT_USER'), (2, 0, 'HKEY_CLASSES_ROOT');";

std::int64_t RootId(RegRoot root)
{
    return root == RegRoot::CurrentUser ? kCurrentUserId : kClassesRootId;
}

std::vector<std::string_view> SplitPath(std::string_view path)
{
    std::vector<std::string_view> parts;
    while (!path.empty()) {
        const auto separator = path.find('\\');
        const auto part = path.substr(0, separator);
        if (!part.empty())
            parts.push_back(part);
        if (separator == std::string_view::npos)
            break;
        path.remove_prefix(separator + 1);
    }
    return parts;
}

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

// --- RegKey ---------------------------------------------------------------

RegKey::RegKey(RegKey&& other) noexcept : store_(other.store_), id_(other.id_)
{
    other.store_ = nullptr;
}

RegKey& RegKey::operator=(RegKey&& other) noexcept
{
    if (this != &other) {
        Close();
        store_ = other.store_;
        id_ = other.id_;
        other.store_ = nullptr;
    }
    return *this;
}

void RegKey::Close() noexcept
{
    store_ = nullptr;
    id_ = 0;
}

// --- RegistryStore: opening -----------------------------------------------

RegistryStore::RegistryStore(const std::filesystem::path& folder)
    : folder_(folder), file_(folder / "settings.db")
{
    std::error_code error;
    std::filesystem::create_directories(folder_, error);
    if (error || !std::filesystem::is_directory(folder_, error)
        || ::access(folder_.c_str(), W_OK | X_OK) != 0)
        return;
    available_ = OpenDatabase();
}

RegistryStore::~RegistryStore() = default;

RegistryStore& RegistryStore::Program()
{
    static RegistryStore store(DefaultSettingsFolder());
    return store;
}

bool RegistryStore::OpenDatabase()
{
    if (db_.Open(file_.string()) != SQLITE_OK)
        return false;
    if (PrepareSchema())
        return true;

    // Not a database, or damaged: keep the file aside and start a fresh one.
    db_.Close();
    std::error_code error;
    const auto kept = MoveDamagedFileAside(file_, error);
    if (kept.empty()) {
        recoveryMessage_ = "The settings file \"" + file_.string()
            + "\" is damaged and could not be moved aside (" + error.message()
            + "). Pandrel runs without stored settings.";
        return false;
    }
    recoveryMessage_ = "The settings file \"" + file_.string()
        + "\" was damaged and could not be read. It has been kept as \"" + kept.string()
        + "\", and Pandrel has started with new settings.";
    return db_.Open(file_.string()) == SQLITE_OK && PrepareSchema();
}

bool RegistryStore::PrepareSchema()
{
    if (db_.Execute("PRAGMA busy_timeout=10000") != SQLITE_OK)
        return false;
    static_assert(kBusyTimeoutMs == 10000);
    // A full structural check finds truncated and overwritten files before use.
    auto* check = db_.Cached("PRAGMA quick_check");
    if (!check || check->Step() != SQLITE_ROW || check->ColumnBytes(0) != "ok")
        return false;
    check->Reset();
    if (db_.Execute("PRAGMA journal_mode=WAL") != SQLITE_OK
        || db_.Execute("PRAGMA synchronous=NORMAL") != SQLITE_OK)
        return false;
    // Reading the whole history at start maps the file instead of copying it
    // page by page; the cache keeps a large history between operations.
    db_.Execute("PRAGMA mmap_size=268435456");
    db_.Execute("PRAGMA cache_size=-16384");
    return db_.Execute("BEGIN IMMEDIATE") == SQLITE_OK
        && (db_.Execute(kSchema) == SQLITE_OK ? db_.Execute("COMMIT") == SQLITE_OK
                                               : (db_.Execute("ROLLBACK"), false));
}

RegStatus RegistryStore::StatusOf(int sqliteResult) const
{
    switch (sqliteResult & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return kRegSuccess;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return kRegBusy;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return kRegCorrupt;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return kRegAccessDenied;
    default:
        return kRegIoFailed;
    }
}

RegStatus RegistryStore::CheckKey(const RegKey& key) const
{
    if (!available_)
        return kRegAccessDenied;
    return key.store_ == this ? kRegSuccess : kRegInvalidHandle;
}

// --- keys -----------------------------------------------------------------

RegStatus RegistryStore::FindChild(std::int64_t parent, std::string_view name, std::int64_t& child)
{
    auto* find = db_.Cached("SELECT id FROM reg_keys WHERE parent = ?1 AND name = ?2");
    if (!find)
        return kRegIoFailed;
    find->Bind(1, parent);
    find->Bind(2, name);
    const int rc = find->Step();
    if (rc == SQLITE_ROW) {
        child = find->ColumnInt(0);
        find->Reset();
        return kRegSuccess;
    }
    find->Reset();
    return rc == SQLITE_DONE ? kRegFileNotFound : StatusOf(rc);
}

RegStatus RegistryStore::AddChild(std::int64_t parent, std::string_view name, std::int64_t& child)
{
    auto* insert = db_.Cached("INSERT OR IGNORE INTO reg_keys(parent, name) VALUES(?1, ?2)");
    if (!insert)
        return kRegIoFailed;
    insert->Bind(1, parent);
    insert->Bind(2, name);
    const int rc = insert->Step();
    insert->Reset();
    if (rc != SQLITE_DONE)
        return StatusOf(rc);
    return FindChild(parent, name, child);
}

RegStatus RegistryStore::Walk(std::int64_t start, std::string_view path, bool create, RegKey& key)
{
    key.Close();
    if (!available_)
        return kRegAccessDenied;
    std::int64_t id = start;
    for (auto part : SplitPath(path)) {
        std::int64_t child = 0;
        RegStatus status = FindChild(id, part, child);
        if (status == kRegFileNotFound && create)
            status = AddChild(id, part, child);
        if (status != kRegSuccess)
            return status;
        id = child;
    }
    key.store_ = this;
    key.id_ = id;
    return kRegSuccess;
}

RegStatus RegistryStore::OpenKey(RegRoot root, std::string_view path, RegKey& key)
{
    return Walk(RootId(root), path, false, key);
}

RegStatus RegistryStore::OpenKey(const RegKey& parent, std::string_view path, RegKey& key)
{
    if (auto status = CheckKey(parent); status != kRegSuccess)
        return key.Close(), status;
    return Walk(parent.id_, path, false, key);
}

RegStatus RegistryStore::CreateKey(RegRoot root, std::string_view path, RegKey& key)
{
    return Walk(RootId(root), path, true, key);
}

RegStatus RegistryStore::CreateKey(const RegKey& parent, std::string_view path, RegKey& key)
{
    if (auto status = CheckKey(parent); status != kRegSuccess)
        return key.Close(), status;
    return Walk(parent.id_, path, true, key);
}

// --- values ---------------------------------------------------------------

RegStatus RegistryStore::QueryValue(const RegKey& key, std::string_view name, RegValue& value)
{
    if (auto status = CheckKey(key); status != kRegSuccess)
        return status;
    auto* query = db_.Cached("SELECT type, data FROM reg_values WHERE key = ?1 AND name = ?2");
    if (!query)
        return kRegIoFailed;
    query->Bind(1, key.id_);
    query->Bind(2, name);
    const int rc = query->Step();
    if (rc == SQLITE_ROW) {
        value.type = static_cast<std::uint32_t>(query->ColumnInt(0));
        value.data = query->ColumnBytes(1);
    }
    query->Reset();
    if (rc == SQLITE_DONE)
        return kRegFileNotFound;
    return StatusOf(rc);
}

RegStatus RegistryStore::SetValue(const RegKey& key, std::string_view name, std::uint32_t type,
                                  std::string_view data)
{
    if (auto status = CheckKey(key); status != kRegSuccess)
        return status;
    auto* upsert = db_.Cached(
        "INSERT INTO reg_values(key, name, type, data, text) VALUES(?1, ?2, ?3, ?4, ?5)"
        " ON CONFLICT(key, name) DO UPDATE SET type = excluded.type, data = excluded.data,"
        " text = excluded.text");
    if (!upsert)
        return kRegIoFailed;
    upsert->Bind(1, key.id_);
    upsert->Bind(2, name);
    upsert->Bind(3, static_cast<std::int64_t>(type));
    upsert->BindBlob(4, data);
    if (IsTextType(type))
        upsert->BindBlob(5, data.substr(0, data.find('\0')));
    else
        upsert->BindNull(5);
    const int rc = upsert->Step();
    upsert->Reset();
    return StatusOf(rc);
}

RegStatus RegistryStore::ValueNames(const RegKey& key, std::vector<std::string>& names)
{
    if (auto status = CheckKey(key); status != kRegSuccess)
        return status;
    auto* query = db_.Cached("SELECT name FROM reg_values WHERE key = ?1");
    if (!query)
        return kRegIoFailed;
    query->Bind(1, key.id_);
    names.clear();
    int rc;
    while ((rc = query->Step()) == SQLITE_ROW)
        names.push_back(query->ColumnBytes(0));
    query->Reset();
    return StatusOf(rc);
}

RegStatus RegistryStore::DeleteValue(const RegKey& key, std::string_view name)
{
    RegValue existing;
    if (auto status = QueryValue(key, name, existing); status != kRegSuccess)
        return status;
    auto* remove = db_.Cached("DELETE FROM reg_values WHERE key = ?1 AND name = ?2");
    if (!remove)
        return kRegIoFailed;
    remove->Bind(1, key.id_);
    remove->Bind(2, name);
    const int rc = remove->Step();
    remove->Reset();
    return StatusOf(rc);
}

RegStatus RegistryStore::CountValues(const RegKey& key, std::int64_t& count)
{
    if (auto status = CheckKey(key); status != kRegSuccess)
        return status;
    auto* query = db_.Cached("SELECT count(*) FROM reg_values WHERE key = ?1");
    if (!query)
        return kRegIoFailed;
    query->Bind(1, key.id_);
    const int rc = query->Step();
    if (rc == SQLITE_ROW)
        count = query->ColumnInt(0);
    query->Reset();
    return StatusOf(rc);
}

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
                                          std::string_view text, NumberedTextMatch& match)
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
    while ((rc = nonText->Step()) == SQLITE_ROW) {
        std::int64_t number = 0;
        if (NumberAfterStem(nonText->ColumnView(0), stem, number) && number >= first
            && number <= last) {
            match = NumberedTextMatch::NonTextValue;
            break;
        }
    }
    nonText->Reset();
    if (rc != SQLITE_DONE && rc != SQLITE_ROW)
        return StatusOf(rc);
    if (match == NumberedTextMatch::NonTextValue)
        return kRegSuccess;

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

// --- transactions -----------------------------------------------------------

RegStatus RegistryStore::BeginTransaction()
{
    if (!available_)
        return kRegAccessDenied;
    const std::string sql = transactionDepth_ == 0
        ? std::string("BEGIN IMMEDIATE")
        : "SAVEPOINT level" + std::to_string(transactionDepth_);
    const int rc = db_.Execute(sql.c_str());
    if (rc != SQLITE_OK)
        return StatusOf(rc);
    ++transactionDepth_;
    return kRegSuccess;
}

RegStatus RegistryStore::CommitTransaction()
{
    if (transactionDepth_ == 0)
        return kRegInvalidParameter;
    const std::string sql = transactionDepth_ == 1
        ? std::string("COMMIT")
        : "RELEASE level" + std::to_string(transactionDepth_ - 1);
    const int rc = db_.Execute(sql.c_str());
    if (rc != SQLITE_OK)
        return StatusOf(rc);
    --transactionDepth_;
    return kRegSuccess;
}

void RegistryStore::RollbackTransaction() noexcept
{
    if (transactionDepth_ == 0)
        return;
    if (transactionDepth_ == 1) {
        db_.Execute("ROLLBACK");
    } else {
        const std::string level = "level" + std::to_string(transactionDepth_ - 1);
        db_.Execute(("ROLLBACK TO " + level + "; RELEASE " + level).c_str());
    }
    --transactionDepth_;
}

RegStatus Transaction::Begin()
{
    if (active_)
        return kRegInvalidParameter;
    const RegStatus status = store_.BeginTransaction();
    active_ = status == kRegSuccess;
    return status;
}

RegStatus Transaction::Commit()
{
    if (!active_)
        return kRegInvalidParameter;
    const RegStatus status = store_.CommitTransaction();
    if (status == kRegSuccess)
        active_ = false;
    return status;
}

} // namespace platform
