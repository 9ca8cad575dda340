// Opening the store, recovering from a damaged file, and the checks every
// call shares. Keys and values, numbered-value queries and transactions have
// files of their own (RegistryStoreKeys.cpp, RegistryStoreNumbered.cpp,
// RegistryStoreTransactions.cpp).
#include "RegistryStore.h"

#include "RegistryStoreLocation.h"
#include "SqliteStatement.h"

#include <sqlite3.h>
#include <unistd.h>

namespace platform {

namespace {

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

} // namespace

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

} // namespace platform
