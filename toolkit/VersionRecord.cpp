#include "VersionRecord.h"

#include <array>
#include <cstring>
#include <fstream>

namespace platform {
namespace {

// Reads byte ranges of one file, refusing any range that does not lie wholly
// inside it.
class BoundedFile {
public:
    explicit BoundedFile(const std::string& path) : in_(path, std::ios::binary)
    {
        if (!in_)
            return;
        in_.seekg(0, std::ios::end);
        const std::streamoff end = in_.tellg();
        if (end > 0)
            size_ = static_cast<std::uint64_t>(end);
    }

    bool Read(std::uint64_t offset, void* to, std::uint64_t count)
    {
        if (offset > size_ || count > size_ - offset)
            return false;
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        in_.read(static_cast<char*>(to), static_cast<std::streamsize>(count));
        return static_cast<std::uint64_t>(in_.gcount()) == count;
    }

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

// Unsigned integers of 1 to 8 bytes in the file's byte order.
class Decoder {
public:
    explicit Decoder(bool bigEndian) : bigEndian_(bigEndian) {}

    std::uint64_t Get(const unsigned char* p, int bytes) const
    {
        std::uint64_t value = 0;
        for (int i = 0; i < bytes; ++i) {
            const unsigned char b = bigEndian_ ? p[i] : p[bytes - 1 - i];
            value = (value << 8) | b;
        }
        return value;
    }

private:
    bool bigEndian_;
};

// Where the fields of the file header and a section header lie, per ELF class.
struct ElfShape {
    int shoffAt, shoffBytes, shentsizeAt, shnumAt, shstrndxAt;
    int sectionHeaderBytes, nameAt, typeAt, offsetAt, sizeAt, addrBytes;
};
constexpr ElfShape kElf32{0x20, 4, 0x2E, 0x30, 0x32, 40, 0, 4, 16, 20, 4};
constexpr ElfShape kElf64{0x28, 8, 0x3A, 0x3C, 0x3E, 64, 0, 4, 24, 32, 8};

constexpr std::uint32_t kSectionNoBits = 8;    // SHT_NOBITS: no bytes in the file
constexpr std::uint16_t kSectionIndexEscape = 0xFFFF; // SHN_XINDEX

struct Section {
    std::uint32_t name = 0;
    std::uint32_t type = 0;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
};

class ElfReader {
public:
    explicit ElfReader(const std::string& path) : file_(path) {}

    std::optional<FileVersion> FindRecord()
    {
        if (!ReadHeader())
            return std::nullopt;
        Section names;
        if (!ReadSection(shstrndx_, names) || names.type == kSectionNoBits)
            return std::nullopt;
        for (std::uint32_t i = 0; i < shnum_; ++i) {
            Section s;
            if (!ReadSection(i, s))
                return std::nullopt;
            if (s.type == kSectionNoBits || !NameIs(names, s.name, kVersionSectionName))
                continue;
            if (auto version = ReadRecord(s))
                return version;
        }
        return std::nullopt;
    }

private:
    bool ReadHeader()
    {
        std::array<unsigned char, 64> header{};
        if (!file_.Read(0, header.data(), 16))
            return false;
        if (std::memcmp(header.data(), "\x7F" "ELF", 4) != 0)
            return false;
        const unsigned char elfClass = header[4];
        const unsigned char encoding = header[5];
        if ((elfClass != 1 && elfClass != 2) || (encoding != 1 && encoding != 2))
            return false;
        shape_ = elfClass == 2 ? &kElf64 : &kElf32;
        decoder_ = Decoder(encoding == 2);
        const int headerBytes = elfClass == 2 ? 64 : 52;
        if (!file_.Read(0, header.data(), headerBytes))
            return false;
        const unsigned char* h = header.data();
        shoff_ = decoder_.Get(h + shape_->shoffAt, shape_->shoffBytes);
        shentsize_ = decoder_.Get(h + shape_->shentsizeAt, 2);
        shnum_ = static_cast<std::uint32_t>(decoder_.Get(h + shape_->shnumAt, 2));
        shstrndx_ = static_cast<std::uint32_t>(decoder_.Get(h + shape_->shstrndxAt, 2));
        return shoff_ != 0 && shentsize_ >= static_cast<std::uint64_t>(shape_->sectionHeaderBytes)
            && shnum_ != 0 && shstrndx_ != kSectionIndexEscape && shstrndx_ < shnum_;
    }

    bool ReadSection(std::uint32_t index, Section& s)
    {
        const std::uint64_t at = shoff_ + index * shentsize_; // index and size are 16-bit
        if (at < shoff_)
            return false;
        std::array<unsigned char, 64> raw{};
        if (!file_.Read(at, raw.data(), static_cast<std::uint64_t>(shape_->sectionHeaderBytes)))
            return false;
        s.name = static_cast<std::uint32_t>(decoder_.Get(raw.data() + shape_->nameAt, 4));
        s.type = static_cast<std::uint32_t>(decoder_.Get(raw.data() + shape_->typeAt, 4));
        s.offset = decoder_.Get(raw.data() + shape_->offsetAt, shape_->addrBytes);
        s.size = decoder_.Get(raw.data() + shape_->sizeAt, shape_->addrBytes);
        return true;
    }

    // True when the name at nameOffset of the name table is wanted, NUL-terminated
    // inside the table.
    bool NameIs(const Section& names, std::uint32_t nameOffset, const char* wanted)
    {
        const std::uint64_t length = std::strlen(wanted) + 1;
        if (nameOffset > names.size || length > names.size - nameOffset)
            return false;
        std::array<char, 64> found{};
        if (length > found.size() || !file_.Read(names.offset + nameOffset, found.data(), length))
            return false;
        return std::memcmp(found.data(), wanted, length) == 0;
    }

    std::optional<FileVersion> ReadRecord(const Section& s)
    {
        std::array<unsigned char, sizeof(VersionRecordLayout)> raw{};
        if (s.size < raw.size() || !file_.Read(s.offset, raw.data(), raw.size()))
            return std::nullopt;
        if (std::memcmp(raw.data(), kVersionSignature, sizeof kVersionSignature) != 0)
            return std::nullopt;
        const unsigned char* n = raw.data() + sizeof kVersionSignature;
        FileVersion v;
        v.major = static_cast<std::uint16_t>(decoder_.Get(n, 2));
        v.minor = static_cast<std::uint16_t>(decoder_.Get(n + 2, 2));
        v.release = static_cast<std::uint16_t>(decoder_.Get(n + 4, 2));
        v.build = static_cast<std::uint16_t>(decoder_.Get(n + 6, 2));
        return v;
    }

    BoundedFile file_;
    const ElfShape* shape_ = &kElf64;
    Decoder decoder_{false};
    std::uint64_t shoff_ = 0;
    std::uint64_t shentsize_ = 0;
    std::uint32_t shnum_ = 0;
    std::uint32_t shstrndx_ = 0;
};

} // namespace

std::optional<FileVersion> ReadVersionRecord(const std::string& path)
{
    if (path.empty())
        return std::nullopt;
    return ElfReader(path).FindRecord();
}

} // namespace platform
