#pragma once
// The settings store: a registry-shaped tree of keys and typed values kept in one
// SQLite file (settings.db). Keys and value names compare without regard to ASCII
// case; values keep their type number and exact bytes. Calls return RegStatus codes
// and never throw. Two processes may use one file at once (WAL, busy timeout).
#include "RegistryStoreTypes.h"
#include "SqliteConnection.h"

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class RegistryStore;

enum class TransactionKind { Read, Write };

// An open key. Closed when destroyed; movable, not copyable.
class RegKey {
public:
    RegKey() = default;
    ~RegKey() { Close(); }
    RegKey(RegKey&& other) noexcept;
    RegKey& operator=(RegKey&& other) noexcept;
    RegKey(const RegKey&) = delete;
    RegKey& operator=(const RegKey&) = delete;

    bool IsOpen() const { return store_ != nullptr; }
    void Close() noexcept;

private:
    friend class RegistryStore;

    RegistryStore* store_ = nullptr;
    std::int64_t id_ = 0;
};

// Answer of FindNumberedText.
enum class NumberedTextMatch {
    Absent,     // no value in the range reads as the text
    Present,    // some value in the range reads as the text (a missing one reads as empty)
    NonTextValue // a value in the range is not text: reading them all would fail
};

class RegistryStore {
public:
    // Opens or creates folder/settings.db (folder 0700, files 0600). A damaged
    // file (not a database, corrupt, failing its check) is moved aside and a new
    // one started. Anything else (held by another process for longer than
    // busyWait, read-only, disk full, I/O error) leaves the store unavailable
    // with a message and the file untouched; so does a folder that cannot be
    // written or is not the user's own (MakePrivateFolder), without one.
    explicit RegistryStore(const std::filesystem::path& folder,
                           std::chrono::milliseconds busyWait = std::chrono::seconds(10));
    ~RegistryStore();
    RegistryStore(const RegistryStore&) = delete;
    RegistryStore& operator=(const RegistryStore&) = delete;

    // The program-wide store at the default location (opened on first use).
    static RegistryStore& Program();

    bool IsAvailable() const { return available_; }
    const std::filesystem::path& FilePath() const { return file_; }
    // Empty, or a message for the user: the file was damaged and where it was
    // kept, or why the store could not be used.
    const std::string& RecoveryMessage() const { return recoveryMessage_; }
    // Where this opening moved a damaged file; empty when it found none.
    const std::filesystem::path& DamagedCopy() const { return damagedCopy_; }

    // Opens an existing key; path parts are separated by '\', a leading '\' is ignored.
    RegStatus OpenKey(RegRoot root, std::string_view path, RegKey& key);
    RegStatus OpenKey(const RegKey& parent, std::string_view path, RegKey& key);
    // Opens a key, creating it and any missing parents.
    RegStatus CreateKey(RegRoot root, std::string_view path, RegKey& key);
    RegStatus CreateKey(const RegKey& parent, std::string_view path, RegKey& key);

    // kRegFileNotFound when the value is absent.
    RegStatus QueryValue(const RegKey& key, std::string_view name, RegValue& value);
    RegStatus SetValue(const RegKey& key, std::string_view name, std::uint32_t type,
                       std::string_view data);
    // The names of the key's values, in no particular order.
    RegStatus ValueNames(const RegKey& key, std::vector<std::string>& names);
    // Removes a value; kRegFileNotFound when it is absent.
    RegStatus DeleteValue(const RegKey& key, std::string_view name);
    RegStatus CountValues(const RegKey& key, std::int64_t& count);
    // The names of the key's direct subkeys as stored, in no particular order.
    RegStatus SubkeyNames(const RegKey& key, std::vector<std::string>& names);
    // Removes a key with its values and everything beneath it; kRegFileNotFound
    // when it is absent. A root cannot be removed.
    RegStatus DeleteKeyTree(RegRoot root, std::string_view path);

    // Values named stem + decimal number (no leading zeros, stem in any case) with the
    // number in [first, last], in no particular order.
    RegStatus ReadNumberedValues(const RegKey& key, std::string_view stem, std::int64_t first,
                                 std::int64_t last,
                                 const std::function<void(std::int64_t, RegValue&&)>& visit);
    // Whether reading every value stem1..stemN (first..last) as text would meet text,
    // answered through indexes instead of reading them all. With NonTextValue,
    // nonTextNumber (when given) is the lowest number whose value is not text:
    // where reading them in order would fail.
    RegStatus FindNumberedText(const RegKey& key, std::string_view stem, std::int64_t first,
                               std::int64_t last, std::string_view text, NumberedTextMatch& match,
                               std::int64_t* nonTextNumber = nullptr);

    // Transactions nest (the inner ones are savepoints). Prefer the Transaction type.
    // A Read transaction takes no write lock until it writes; a Write one takes it
    // at the start, waiting for another process's write to end.
    RegStatus BeginTransaction(TransactionKind kind = TransactionKind::Write);
    RegStatus CommitTransaction();
    void RollbackTransaction() noexcept;

private:
    RegStatus Walk(std::int64_t start, std::string_view path, bool create, RegKey& key);
    RegStatus FindChild(std::int64_t parent, std::string_view name, std::int64_t& child);
    RegStatus AddChild(std::int64_t parent, std::string_view name, std::int64_t& child);
    RegStatus CheckKey(const RegKey& key) const;
    // The names a one-column query over key (bound as ?1) gives, in names.
    RegStatus NamesUnder(const RegKey& key, const char* sql, std::vector<std::string>& names);
    RegStatus StatusOf(int sqliteResult) const;
    bool OpenDatabase();
    int PrepareSchema();
    bool HasSchema();

    std::filesystem::path folder_;
    std::filesystem::path file_;
    SqliteConnection db_;
    std::chrono::milliseconds busyWait_;
    bool available_ = false;
    int transactionDepth_ = 0;
    std::string recoveryMessage_;
    std::filesystem::path damagedCopy_;
};

// Rolls back in its destructor unless committed.
class Transaction {
public:
    explicit Transaction(RegistryStore& store, TransactionKind kind = TransactionKind::Write)
        : store_(store), kind_(kind) {}
    ~Transaction() { if (active_) store_.RollbackTransaction(); }
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    RegStatus Begin();
    RegStatus Commit();
    bool IsActive() const { return active_; }

private:
    RegistryStore& store_;
    TransactionKind kind_;
    bool active_ = false;
};

} // namespace platform
