// Writing .reg files in the version 5 form the registry editor exports:
// UTF-16LE with a BOM, CRLF line ends, hex data wrapped near 80 columns.
#include "RegFile.h"
#include "RegFileText.h"

#include <cstdio>

namespace platform {

namespace {

constexpr std::size_t kWrapColumn = 76;

std::string Escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        if (c == '\\' || c == '"')
            out.push_back('\\');
        out.push_back(c);
    }
    return out;
}

// Text that reads back unchanged from a quoted string: UTF-8, one final NUL, no
// other control characters (a line break cannot stand in a quoted string).
bool FitsQuotedString(const std::string& data)
{
    if (!data.ends_with('\0'))
        return false;
    const std::string_view text(data.data(), data.size() - 1);
    for (char c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            return false;
    return IsValidUtf8(text);
}

void AppendHex(std::string& line, std::string& out, std::string_view bytes)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        line.push_back(kDigits[b >> 4]);
        line.push_back(kDigits[b & 15]);
        if (i + 1 < bytes.size()) {
            line.push_back(',');
            if (line.size() > kWrapColumn) {
                out.append(line).append("\\\r\n");
                line = "  ";
            }
        }
    }
}

std::string ValueLine(const RegFileValue& value)
{
    std::string line = value.name.empty() ? "@=" : "\"" + Escaped(value.name) + "\"=";
    std::string out;
    if (value.type == REG_SZ && FitsQuotedString(value.data)) {
        line.append("\"").append(Escaped(std::string_view(value.data).substr(0, value.data.size() - 1)))
            .append("\"");
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        std::uint32_t bits = 0;
        for (int i = 3; i >= 0; --i)
            bits = (bits << 8) | static_cast<unsigned char>(value.data[i]);
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", bits);
        line.append(digits);
    } else {
        const bool text = IsTextType(value.type) || value.type == REG_MULTI_SZ;
        if (value.type == REG_BINARY) {
            line.append("hex:");
        } else {
            char prefix[24];
            std::snprintf(prefix, sizeof prefix, "hex(%x):", value.type);
            line.append(prefix);
        }
        AppendHex(line, out, text ? Utf8ToUtf16Le(value.data) : value.data);
    }
    return out.append(line).append("\r\n");
}

} // namespace

std::string WriteRegFile(const RegFile& file)
{
    std::string text = "Windows Registry Editor Version 5.00\r\n";
    for (const auto& key : file.keys) {
        text.append("\r\n[").append(key.remove ? "-" : "").append(key.root);
        if (!key.path.empty())
            text.append("\\").append(key.path);
        text.append("]\r\n");
        for (const auto& value : key.values)
            text.append(value.remove ? (value.name.empty() ? "@" : "\"" + Escaped(value.name) + "\"") + "=-\r\n"
                                     : ValueLine(value));
    }
    text.append("\r\n");
    return "\xFF\xFE" + Utf8ToUtf16Le(text);
}

} // namespace platform
