// Walking and removing whole subtrees of keys.
#include "RegistryStore.h"

#include "SqliteStatement.h"

#include <sqlite3.h>

namespace platform {

RegStatus RegistryStore::SubkeyNames(const RegKey& key, std::vector<std::string>& names)
{
    return NamesUnder(key, "SELECT name FROM reg_keys WHERE parent = ?1", names);
}

RegStatus RegistryStore::DeleteKeyTree(RegRoot root, std::string_view path)
{
    RegKey key;
    if (auto status = OpenKey(root, path, key); status != kRegSuccess)
        return status;
    if (key.id_ <= 2)
        return kRegInvalidParameter;
    Transaction transaction(*this);
    if (auto status = transaction.Begin(); status != kRegSuccess)
        return status;
    // The key and every key beneath it, found by one recursive query.
    static constexpr const char* kSubtree =
        "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION ALL"
        " SELECT reg_keys.id FROM reg_keys JOIN tree ON reg_keys.parent = tree.id)";
    for (const char* sql : {"DELETE FROM reg_values WHERE key IN tree",
                            "DELETE FROM reg_keys WHERE id IN tree"}) {
        std::string statement(kSubtree);
        statement.append(" ").append(sql);
        auto* remove = db_.Cached(statement.c_str());
        if (!remove)
            return kRegIoFailed;
        remove->Bind(1, key.id_);
        const int rc = remove->Step();
        remove->Reset();
        if (rc != SQLITE_DONE)
            return StatusOf(rc);
    }
    return transaction.Commit();
}

} // namespace platform
