#include "SqliteConnection.h"

#include "SqliteStatement.h"

#include <sqlite3.h>

namespace platform {

void SqliteConnection::Closer::operator()(sqlite3* db) const noexcept
{
    sqlite3_close_v2(db);
}

SqliteConnection::~SqliteConnection()
{
    Close();
}

int SqliteConnection::Open(const std::string& path)
{
    Close();
    sqlite3* raw = nullptr;
    const int rc = sqlite3_open_v2(path.c_str(), &raw,
                                   SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                                   nullptr);
    db_.reset(raw);
    if (rc != SQLITE_OK) {
        Close();
        return rc;
    }
    sqlite3_extended_result_codes(raw, 0);
    return SQLITE_OK;
}

void SqliteConnection::Close() noexcept
{
    // Statements must be finalised before the connection is closed.
    statements_.clear();
    db_.reset();
}

int SqliteConnection::Execute(const char* sql)
{
    if (!db_)
        return SQLITE_MISUSE;
    return sqlite3_exec(db_.get(), sql, nullptr, nullptr, nullptr);
}

SqliteStatement* SqliteConnection::Cached(const char* sql)
{
    if (!db_)
        return nullptr;
    auto found = statements_.find(sql);
    if (found == statements_.end()) {
        auto statement = std::make_unique<SqliteStatement>(db_.get(), sql);
        if (!statement->Ok())
            return nullptr;
        found = statements_.emplace(sql, std::move(statement)).first;
    }
    found->second->Reset();
    return found->second.get();
}

bool SqliteConnection::IsReadOnly() const
{
    return db_ && sqlite3_db_readonly(db_.get(), "main") == 1;
}

int SqliteConnection::LastErrorCode() const
{
    return db_ ? sqlite3_errcode(db_.get()) & 0xff : SQLITE_MISUSE;
}

} // namespace platform
