#pragma once
// One prepared SQLite statement: bind, step, read columns. Finalised on destruction.
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace platform {

class SqliteStatement {
public:
    // Prepares sql on db; Ok() tells whether it worked.
    SqliteStatement(sqlite3* db, const char* sql);
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    bool Ok() const { return stmt_ != nullptr; }

    // Resets the statement and clears its bindings, ready for new arguments.
    void Reset() noexcept;
    // Parameters count from 1, as in SQL.
    void Bind(int index, std::int64_t value);
    void Bind(int index, std::string_view text);     // bound as TEXT
    void BindBlob(int index, std::string_view bytes); // bound as BLOB
    void BindNull(int index);

    // SQLITE_ROW, SQLITE_DONE or an error code.
    int Step();

    std::int64_t ColumnInt(int column) const;
    // The bytes of a text or blob column, exactly.
    std::string ColumnBytes(int column) const;
    // The same bytes without a copy, valid until the next Step or Reset.
    std::string_view ColumnView(int column) const;

private:
    struct Finalizer {
        void operator()(sqlite3_stmt* stmt) const noexcept;
    };
    std::unique_ptr<sqlite3_stmt, Finalizer> stmt_;
};

} // namespace platform
