#pragma once
// Result codes, value types and the value record of the registry-shaped store.
// The type numbers are the ones stored in the file and written in .reg files;
// each code names one kind of failure a caller of the store can meet.
#include <cstdint>
#include <string>

namespace platform {

using RegStatus = long;
inline constexpr RegStatus kRegSuccess = 0;
inline constexpr RegStatus kRegFileNotFound = 2;   // key or value absent
inline constexpr RegStatus kRegAccessDenied = 5;   // the store is unavailable
inline constexpr RegStatus kRegInvalidHandle = 6;  // the key handle is not open
inline constexpr RegStatus kRegInvalidParameter = 87;
inline constexpr RegStatus kRegBusy = 170;         // another process held the store too long
inline constexpr RegStatus kRegCorrupt = 1015;     // the database reports damage
inline constexpr RegStatus kRegIoFailed = 1016;    // any other failure of the database

inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;

enum class RegRoot { CurrentUser, ClassesRoot };

// A stored value: its type number and its exact bytes (a REG_SZ keeps its NUL).
struct RegValue {
    std::uint32_t type = REG_NONE;
    std::string data;
};

// The text a REG_SZ or REG_EXPAND_SZ value reads as: its bytes up to the first NUL.
inline std::string TextOfValueData(const std::string& data)
{
    return data.substr(0, data.find('\0'));
}

inline bool IsTextType(std::uint32_t type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ;
}

} // namespace platform
