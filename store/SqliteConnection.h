#pragma once
// An open SQLite database file with a cache of prepared statements.
// No SQLite header is needed by users of this class.
#include <map>
#include <memory>
#include <string>

struct sqlite3;

namespace platform {

class SqliteStatement;

class SqliteConnection {
public:
    SqliteConnection() = default;
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    // Opens (creating) the file; returns an SQLite result code.
    int Open(const std::string& path);
    void Close() noexcept;
    bool IsOpen() const { return db_ != nullptr; }
    // Whether SQLite could open the file for reading only.
    bool IsReadOnly() const;

    // Runs one or more statements without results; returns an SQLite result code.
    int Execute(const char* sql);
    // A prepared statement for sql, reset and kept for reuse; null when it cannot be prepared.
    SqliteStatement* Cached(const char* sql);
    // The primary SQLite result code of the last failed call on this connection.
    int LastErrorCode() const;

private:
    struct Closer {
        void operator()(sqlite3* db) const noexcept;
    };
    std::map<std::string, std::unique_ptr<SqliteStatement>> statements_;
    std::unique_ptr<sqlite3, Closer> db_;
};

} // namespace platform
