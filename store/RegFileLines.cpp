#include "RegFileLines.h"

#include "RegFile.h"
#include "RegFileText.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr std::size_t kChunkBytes = 64 * 1024;

} // namespace

RegFileLines::RegFileLines(std::istream& in) : in_(in), buffer_(kChunkBytes, '\0')
{
    Fill();
    const std::string_view start(buffer_.data(), size_);
    if (start.starts_with("\xFF\xFE")) {
        encoding_ = Encoding::Utf16Le;
        at_ = 2;
    } else if (start.starts_with("\xEF\xBB\xBF")) {
        encoding_ = Encoding::Utf8;
        at_ = 3;
    }
}

// Reads the next chunk once the buffer is used up; false at the end of input.
bool RegFileLines::Fill()
{
    if (at_ < size_)
        return true;
    in_.read(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    size_ = static_cast<std::size_t>(in_.gcount());
    at_ = 0;
    total_ += size_;
    if (total_ > kRegMaxFileBytes)
        Fail("the file is too large for a settings export");
    return size_ > 0;
}

int RegFileLines::Byte()
{
    if (!Fill())
        return -1;
    return static_cast<unsigned char>(buffer_[at_++]);
}

// 8-bit text up to the next line feed.
void RegFileLines::ReadBytes(std::string& raw)
{
    while (Fill()) {
        const char* from = buffer_.data() + at_;
        const std::size_t available = size_ - at_;
        if (const void* end = std::memchr(from, '\n', available)) {
            const auto length = static_cast<std::size_t>(static_cast<const char*>(end) - from);
            raw.append(from, length);
            at_ += length + 1;
            return;
        }
        raw.append(from, available);
        at_ = size_;
    }
    ended_ = true;
}

// UTF-16LE code units up to the next U+000A (which no surrogate pair holds).
void RegFileLines::ReadUnits(std::string& raw)
{
    while (true) {
        const int low = Byte();
        if (low < 0)
            break;
        const int high = Byte();
        if (high < 0)
            Fail("the file is not valid UTF-16 text (it ends in half a character)");
        if (low == '\n' && high == 0)
            return;
        raw.push_back(static_cast<char>(low));
        raw.push_back(static_cast<char>(high));
    }
    ended_ = true;
}

bool RegFileLines::Next(std::string& line)
{
    if (ended_)
        return false;
    ++number_;
    raw_.clear();
    if (encoding_ == Encoding::Utf16Le) {
        ReadUnits(raw_);
        auto text = Utf16LeToUtf8(raw_);
        if (!text)
            Fail("the line is not valid UTF-16 text");
        line = std::move(*text);
    } else {
        ReadBytes(raw_);
        if (encoding_ == Encoding::Utf8 && !IsValidUtf8(raw_))
            Fail("the line is not valid UTF-8 text");
        const bool ascii = std::all_of(raw_.begin(), raw_.end(), [](char c) { return (c & 0x80) == 0; });
        if (encoding_ == Encoding::Windows1252 && !ascii)
            line = Windows1252ToUtf8(raw_);
        else
            line.swap(raw_); // raw_ is cleared before its next use
    }
    if (line.ends_with('\r'))
        line.pop_back();
    return true;
}

void RegFileLines::Fail(const char* what) const
{
    throw RegFileError(number_ < 1 ? 1 : number_, what);
}

} // namespace platform
