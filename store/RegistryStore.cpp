// Opening the store, recovering from a damaged file, and the checks every
// call shares. Keys and values, numbered-value queries and transactions have
// files of their own (RegistryStoreKeys.cpp, RegistryStoreNumbered.cpp,
// RegistryStoreTransactions.cpp).
#include "RegistryStore.h"

#include "PrivateFiles.h"
#include "RegistryStoreLocation.h"
#include "SqliteStatement.h"

#include <sqlite3.h>
#include <unistd.h>

namespace platform {

namespace {

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

// What the user is told when the file could not be opened for a reason other
// than damage.
std::string OpenFailureMessage(const std::filesystem::path& file, int rc)
{
    const std::string name = "The settings file \"" + file.string() + "\" ";
    const std::string outcome = " It was left as it is, and Pandrel runs without stored settings.";
    switch (rc) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return name + "is in use by another program and did not become free in time." + outcome
            + " Close the other Pandrel and start again.";
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return name + "is read-only." + outcome;
    case SQLITE_FULL:
        return name + "could not be written: the disk is full." + outcome;
    case SQLITE_CANTOPEN:
        return name + "could not be opened." + outcome;
    case SQLITE_IOERR:
        return name + "could not be read or written (input/output error)." + outcome;
    default:
        return name + "could not be used (" + std::string(sqlite3_errstr(rc)) + ")." + outcome;
    }
}

} // namespace

// --- RegistryStore: opening -----------------------------------------------

RegistryStore::RegistryStore(const std::filesystem::path& folder, std::chrono::milliseconds busyWait)
    : folder_(folder), file_(folder / "settings.db"), busyWait_(busyWait)
{
    std::error_code error;
    // A folder that cannot be made or written leaves the store unavailable, as
    // before any file exists to report on.
    if (!MakePrivateFolder(folder_, error) || ::access(folder_.c_str(), W_OK | X_OK) != 0)
        return;
    // Created owner-only before SQLite sees it: SQLite gives the -wal and -shm
    // files the main file's mode.
    MakePrivateFile(file_, error);
    for (const char* companion : {"-wal", "-shm"})
        TightenIfPresent(file_.string() + companion);
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
    int rc = db_.Open(file_.string());
    if (rc == SQLITE_OK && db_.IsReadOnly())
        rc = SQLITE_READONLY; // SQLite falls back to reading a file it cannot write
    if (rc == SQLITE_OK)
        rc = PrepareSchema();
    if (rc == SQLITE_OK)
        return true;
    db_.Close();
    if (rc != SQLITE_NOTADB && rc != SQLITE_CORRUPT) {
        // Busy, read-only, full or failing: the file is not damaged and stays where it is.
        recoveryMessage_ = OpenFailureMessage(file_, rc);
        return false;
    }

    // Not a database, or damaged: keep the file aside and start a fresh one.
    std::error_code error;
    const auto kept = MoveDamagedFileAside(file_, error);
    if (kept.empty()) {
        recoveryMessage_ = "The settings file \"" + file_.string()
            + "\" is damaged and could not be moved aside (" + error.message()
            + "). Pandrel runs without stored settings.";
        return false;
    }
    damagedCopy_ = kept;
    recoveryMessage_ = "The settings file \"" + file_.string()
        + "\" was damaged and could not be read. It has been kept as \"" + kept.string()
        + "\", and Pandrel has started with new settings.";
    MakePrivateFile(file_, error);
    rc = db_.Open(file_.string());
    return rc == SQLITE_OK && PrepareSchema() == SQLITE_OK;
}

int RegistryStore::PrepareSchema()
{
    const std::string timeout = "PRAGMA busy_timeout=" + std::to_string(busyWait_.count());
    if (db_.Execute(timeout.c_str()) != SQLITE_OK)
        return db_.LastErrorCode();
    // A full structural check finds truncated and overwritten files before use.
    auto* check = db_.Cached("PRAGMA quick_check");
    if (!check)
        return db_.LastErrorCode();
    const int step = check->Step();
    if (step != SQLITE_ROW)
        return step & 0xff;
    if (check->ColumnBytes(0) != "ok")
        return SQLITE_CORRUPT;
    check->Reset();
    int rc = db_.Execute("PRAGMA journal_mode=WAL");
    if (rc == SQLITE_OK)
        rc = db_.Execute("PRAGMA synchronous=NORMAL");
    if (rc != SQLITE_OK)
        return rc & 0xff;
    // Reading the whole history at start maps the file instead of copying it
    // page by page; the cache keeps a large history between operations.
    db_.Execute("PRAGMA mmap_size=268435456");
    db_.Execute("PRAGMA cache_size=-16384");
    // A store that already has its tables is only read here: opening it takes
    // no write lock, so another process writing at the time does not hold us up.
    if (HasSchema())
        return SQLITE_OK;
    rc = db_.Execute("BEGIN IMMEDIATE");
    if (rc != SQLITE_OK)
        return rc & 0xff;
    rc = db_.Execute(kSchema);
    if (rc == SQLITE_OK)
        rc = db_.Execute("COMMIT");
    if (rc != SQLITE_OK)
        db_.Execute("ROLLBACK");
    return rc & 0xff;
}

bool RegistryStore::HasSchema()
{
    auto* tables = db_.Cached(
        "SELECT count(*) FROM sqlite_master WHERE name IN"
        " ('reg_keys', 'reg_values', 'reg_values_text', 'reg_values_nontext')");
    if (!tables || tables->Step() != SQLITE_ROW || tables->ColumnInt(0) != 4)
        return false;
    tables->Reset();
    auto* roots = db_.Cached("SELECT count(*) FROM reg_keys WHERE id IN (1, 2) AND parent = 0");
    const bool present = roots && roots->Step() == SQLITE_ROW && roots->ColumnInt(0) == 2;
    if (roots)
        roots->Reset();
    return present;
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
