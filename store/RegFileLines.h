#pragma once
// A .reg file read one line at a time. The encoding is found from the first
// bytes (UTF-16LE after FF FE, UTF-8 after EF BB BF, otherwise Windows-1252)
// and each line is handed out as UTF-8 without its line end. Only the current
// line is held in memory, never the whole file.
#include <cstddef>
#include <istream>
#include <string>

namespace platform {

class RegFileLines {
public:
    explicit RegFileLines(std::istream& in);

    // The next line; false once every line was given. Like splitting the
    // text at each line feed, a file ending in one has a last, empty line.
    // Throws RegFileError for a line that is not valid in the file's encoding,
    // and once the file passes kRegMaxFileBytes.
    bool Next(std::string& line);
    // The number of the line Next gave last, counted from 1.
    int Number() const { return number_; }

private:
    enum class Encoding { Utf16Le, Utf8, Windows1252 };

    bool Fill();
    int Byte();
    void ReadBytes(std::string& raw);
    void ReadUnits(std::string& raw);
    [[noreturn]] void Fail(const char* what) const;

    std::istream& in_;
    std::string buffer_;
    std::size_t at_ = 0;
    std::size_t size_ = 0;
    std::size_t total_ = 0;
    Encoding encoding_ = Encoding::Windows1252;
    bool ended_ = false;
    int number_ = 0;
    std::string raw_;
};

} // namespace platform
