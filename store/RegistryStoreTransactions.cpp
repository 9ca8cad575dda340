// Nested transactions of the store: the outermost is a SQLite transaction,
// the inner ones are savepoints.
#include "RegistryStore.h"

#include <sqlite3.h>

#include <string>

namespace platform {

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
