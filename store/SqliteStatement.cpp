#include "SqliteStatement.h"

#include <sqlite3.h>

namespace platform {

void SqliteStatement::Finalizer::operator()(sqlite3_stmt* stmt) const noexcept
{
    sqlite3_finalize(stmt);
}

SqliteStatement::SqliteStatement(sqlite3* db, const char* sql)
{
    sqlite3_stmt* raw = nullptr;
    // On failure SQLite leaves raw null, so Ok() says false.
    sqlite3_prepare_v3(db, sql, -1, SQLITE_PREPARE_PERSISTENT, &raw, nullptr);
    stmt_.reset(raw);
}

void SqliteStatement::Reset() noexcept
{
    sqlite3_reset(stmt_.get());
    sqlite3_clear_bindings(stmt_.get());
}

void SqliteStatement::Bind(int index, std::int64_t value)
{
    sqlite3_bind_int64(stmt_.get(), index, value);
}

void SqliteStatement::Bind(int index, std::string_view text)
{
    sqlite3_bind_text64(stmt_.get(), index, text.data(), text.size(), SQLITE_TRANSIENT, SQLITE_UTF8);
}

void SqliteStatement::BindBlob(int index, std::string_view bytes)
{
    // A zero-length blob still binds as a blob, not as NULL.
    static const char empty = 0;
    sqlite3_bind_blob64(stmt_.get(), index, bytes.empty() ? &empty : bytes.data(), bytes.size(),
                        SQLITE_TRANSIENT);
}

void SqliteStatement::BindNull(int index)
{
    sqlite3_bind_null(stmt_.get(), index);
}

int SqliteStatement::Step()
{
    return sqlite3_step(stmt_.get());
}

std::int64_t SqliteStatement::ColumnInt(int column) const
{
    return sqlite3_column_int64(stmt_.get(), column);
}

std::string_view SqliteStatement::ColumnView(int column) const
{
    const void* data = sqlite3_column_blob(stmt_.get(), column);
    const int size = sqlite3_column_bytes(stmt_.get(), column);
    if (!data || size <= 0)
        return {};
    return std::string_view(static_cast<const char*>(data), static_cast<std::size_t>(size));
}

std::string SqliteStatement::ColumnBytes(int column) const
{
    return std::string(ColumnView(column));
}

} // namespace platform
