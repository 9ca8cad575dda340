// Reading .reg files: logical lines (hex data continues over lines ending in
// '\'), key headers and value entries, within what a registry can hold.
#include "RegFile.h"
#include "RegFileLines.h"
#include "RegFileText.h"

#include <cctype>
#include <streambuf>

namespace platform {

namespace {

constexpr std::string_view kVersion5Header = "Windows Registry Editor Version 5.00";
constexpr std::string_view kVersion4Header = "REGEDIT4";

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\0'))
        s.remove_suffix(1);
    return s;
}

int HexDigit(char c)
{
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    if (s.size() < prefix.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(s[i])) != prefix[i])
            return false;
    return true;
}

class Parser {
public:
    Parser(std::istream& in, RegFileVisitor& visitor) : lines_(in), visitor_(visitor) {}

    bool Run()
    {
        lines_.Next(line_);
        const auto header = Trim(line_);
        if (header == kVersion5Header)
            unicode_ = true;
        else if (header != kVersion4Header)
            Fail("the file does not start with \"Windows Registry Editor Version 5.00\" or \"REGEDIT4\"");
        while (lines_.Next(line_)) {
            const auto line = Trim(line_);
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[')
                KeyLine(line);
            else if (line.front() == '"' || line.front() == '@')
                ValueLine(line);
            else
                Fail("expected a [key] or a value entry");
        }
        return unicode_;
    }

private:
    int LineNumber() const { return lines_.Number(); }
    [[noreturn]] void Fail(const std::string& what) const { throw RegFileError(LineNumber(), what); }

    void KeyLine(std::string_view line)
    {
        if (!line.ends_with(']'))
            Fail("a key line must end with ']'");
        line = line.substr(1, line.size() - 2);
        RegFileKey key;
        key.line = LineNumber();
        if (line.starts_with('-'))
            key.remove = true, line.remove_prefix(1);
        const auto separator = line.find('\\');
        key.root = std::string(line.substr(0, separator));
        if (key.root.empty() || !key.root.starts_with("HKEY_"))
            Fail("the key does not start with a root such as HKEY_CURRENT_USER");
        if (separator != std::string_view::npos)
            key.path = std::string(line.substr(separator + 1));
        CheckKeyPath(key.path);
        haveKey_ = true;
        keyRemoved_ = key.remove;
        visitor_.Key(std::move(key));
    }

    // Empty parts (two backslashes in a row) name no key, so they do not count.
    void CheckKeyPath(std::string_view path) const
    {
        int depth = 0;
        for (std::string_view rest = path; !rest.empty();) {
            const auto separator = rest.find('\\');
            const auto part = rest.substr(0, separator);
            if (!part.empty() && !IsKeyNameAllowed(part))
                Fail(part.find('\0') != std::string_view::npos
                         ? "a key name holds a NUL character"
                         : "a key name is longer than 255 characters");
            if (!part.empty() && ++depth > kRegMaxKeyDepth)
                Fail("the key is more than 512 levels deep");
            rest.remove_prefix(separator == std::string_view::npos ? rest.size() : separator + 1);
        }
    }

    // A quoted name or string starting at s[0] == '"'; leaves s after the closing quote.
    std::string Quoted(std::string_view& s) const
    {
        std::string out;
        std::size_t i = 1;
        for (; i < s.size() && s[i] != '"'; ++i) {
            if (s[i] == '\\') {
                if (++i >= s.size() || (s[i] != '\\' && s[i] != '"'))
                    Fail("a quoted text holds a '\\' that is neither \\\\ nor \\\"");
            }
            out.push_back(s[i]);
        }
        if (i >= s.size())
            Fail("a quoted text has no closing '\"'");
        s.remove_prefix(i + 1);
        return out;
    }

    void ValueLine(std::string_view line)
    {
        if (!haveKey_)
            Fail("a value entry comes before any [key]");
        if (keyRemoved_)
            Fail("a value entry follows a key deletion");
        RegFileValue value;
        value.line = LineNumber();
        if (line.front() == '@')
            line.remove_prefix(1);
        else
            value.name = Quoted(line);
        if (!IsValueNameAllowed(value.name))
            Fail(value.name.find('\0') != std::string::npos ? "a value name holds a NUL character"
                                                            : "a value name is longer than 16,383 characters");
        line = Trim(line);
        if (!line.starts_with('='))
            Fail("expected '=' after the value name");
        line = Trim(line.substr(1));
        if (line == "-") {
            value.remove = true;
        } else if (line.starts_with('"')) {
            value.type = REG_SZ;
            value.data = Quoted(line);
            if (!Trim(line).empty())
                Fail("text follows the closing '\"'");
            value.data.push_back('\0');
        } else if (StartsWithNoCase(line, "dword:")) {
            value.type = REG_DWORD;
            value.data = Dword(Trim(line.substr(6)));
        } else if (StartsWithNoCase(line, "hex")) {
            HexValue(line.substr(3), value);
        } else {
            Fail("the value data is not text, dword: or hex:");
        }
        visitor_.Value(std::move(value));
    }

    std::string Dword(std::string_view digits) const
    {
        if (digits.empty() || digits.size() > 8)
            Fail("dword: needs one to eight hexadecimal digits");
        std::uint32_t bits = 0;
        for (char c : digits) {
            const int d = HexDigit(c);
            if (d < 0)
                Fail("dword: needs one to eight hexadecimal digits");
            bits = (bits << 4) | static_cast<std::uint32_t>(d);
        }
        std::string data(4, '\0');
        for (int i = 0; i < 4; ++i)
            data[i] = static_cast<char>((bits >> (8 * i)) & 0xFF);
        return data;
    }

    // After "hex": an optional "(type)", ':', then bytes "xx,xx" with line continuations.
    void HexValue(std::string_view rest, RegFileValue& value)
    {
        value.type = REG_BINARY;
        if (rest.starts_with('(')) {
            const auto close = rest.find(')');
            if (close == std::string_view::npos || close == 1 || close > 9)
                Fail("hex( needs a hexadecimal type number and ')'");
            std::uint32_t type = 0;
            for (char c : rest.substr(1, close - 1)) {
                const int d = HexDigit(c);
                if (d < 0)
                    Fail("hex( needs a hexadecimal type number and ')'");
                type = (type << 4) | static_cast<std::uint32_t>(d);
            }
            value.type = type;
            rest.remove_prefix(close + 1);
        }
        if (!rest.starts_with(':'))
            Fail("expected ':' after hex");
        std::string digits(Trim(rest.substr(1)));
        while (digits.ends_with('\\')) {
            digits.pop_back();
            if (!lines_.Next(continued_))
                Fail("the file ends inside a continued value");
            digits.append(Trim(continued_));
        }
        value.data = Bytes(digits);
        ConvertText(value);
    }

    std::string Bytes(std::string_view digits) const
    {
        std::string data;
        digits = Trim(digits);
        if (digits.empty())
            return data;
        while (true) {
            const auto comma = digits.find(',');
            const auto item = Trim(digits.substr(0, comma));
            if (item.size() != 2 || HexDigit(item[0]) < 0 || HexDigit(item[1]) < 0)
                Fail("hex data must be two-digit hexadecimal bytes separated by ','");
            data.push_back(static_cast<char>(HexDigit(item[0]) * 16 + HexDigit(item[1])));
            if (comma == std::string_view::npos)
                return data;
            digits.remove_prefix(comma + 1);
        }
    }

    // Text types written as hex hold UTF-16LE (version 5) or 8-bit text (REGEDIT4);
    // the store keeps UTF-8. Data that is not text is kept as it is. Text that is
    // not UTF-16 (odd length, unpaired surrogate) is refused: taken as bytes, it
    // would be written back changed.
    void ConvertText(RegFileValue& value) const
    {
        if (!IsTextType(value.type) && value.type != REG_MULTI_SZ)
            return;
        if (!unicode_) {
            value.data = Windows1252ToUtf8(value.data);
            return;
        }
        auto text = Utf16LeToUtf8(value.data);
        if (!text)
            throw RegFileError(value.line, "text data in hex is not valid UTF-16 (odd length or unpaired surrogate)");
        value.data = std::move(*text);
    }

    RegFileLines lines_;
    RegFileVisitor& visitor_;
    std::string line_;
    std::string continued_;
    bool unicode_ = false;
    bool haveKey_ = false;
    bool keyRemoved_ = false;
};

// Whole files already in memory, read through the same line reader.
class ViewBuffer : public std::streambuf {
public:
    explicit ViewBuffer(std::string_view bytes)
    {
        char* start = const_cast<char*>(bytes.data()); // only ever read
        setg(start, start, start + bytes.size());
    }
};

class Collector : public RegFileVisitor {
public:
    explicit Collector(RegFile& file) : file_(file) {}
    void Key(RegFileKey&& key) override { file_.keys.push_back(std::move(key)); }
    void Value(RegFileValue&& value) override { file_.keys.back().values.push_back(std::move(value)); }

private:
    RegFile& file_;
};

} // namespace

bool ReadRegFile(std::istream& in, RegFileVisitor& visitor)
{
    return Parser(in, visitor).Run();
}

RegFile ParseRegFile(std::string_view bytes)
{
    ViewBuffer buffer(bytes);
    std::istream in(&buffer);
    RegFile file;
    Collector collector(file);
    file.unicode = ReadRegFile(in, collector);
    return file;
}

bool IsValueNameAllowed(std::string_view name)
{
    return name.find('\0') == std::string_view::npos && Utf16Length(name) <= kRegMaxValueNameLength;
}

bool IsKeyNameAllowed(std::string_view name)
{
    return !name.empty() && name.find('\0') == std::string_view::npos
        && name.find('\\') == std::string_view::npos && Utf16Length(name) <= kRegMaxKeyNameLength;
}

} // namespace platform
