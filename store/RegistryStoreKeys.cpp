// Keys of the store (opened by walking a '\'-separated path) and their values.
#include "RegistryStore.h"

#include "SqliteStatement.h"

#include <sqlite3.h>

#include <vector>

namespace platform {

namespace {

// The ids the schema gives the two roots.
constexpr std::int64_t kCurrentUserId = 1;
constexpr std::int64_t kClassesRootId = 2;

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
    return NamesUnder(key, "SELECT name FROM reg_values WHERE key = ?1", names);
}

RegStatus RegistryStore::NamesUnder(const RegKey& key, const char* sql, std::vector<std::string>& names)
{
    if (auto status = CheckKey(key); status != kRegSuccess)
        return status;
    auto* query = db_.Cached(sql);
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

} // namespace platform
