#pragma once
// Builds small ELF files in memory for the version-record reader: a header, a
// section-name table and, optionally, a version record, in either class and
// byte order, with fields that tests may damage before writing the file.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

struct TestElfImage {
    bool is64 = true;
    bool bigEndian = false;
    bool withRecord = true;
    std::string sectionName = ".pandrel_version";
    std::string signature = "PNDRLVER";
    std::uint16_t numbers[4] = {2, 0, 0, 31};

    // Offsets of fields in the built bytes, for damaging them afterwards.
    std::size_t shoffAt = 0, shnumAt = 0, shstrndxAt = 0, shentsizeAt = 0;
    std::size_t recordHeaderAt = 0; // section header of the record
    std::size_t namesHeaderAt = 0;  // section header of the name table

    std::vector<unsigned char> Build()
    {
        const std::size_t headerSize = is64 ? 64 : 52;
        const std::size_t sectionHeaderSize = is64 ? 64 : 40;
        std::string names = std::string("\0.shstrtab\0", 11) + sectionName + '\0';
        const std::uint32_t recordNameAt = 11;

        std::vector<unsigned char> bytes(headerSize, 0);
        const std::size_t namesAt = bytes.size();
        bytes.insert(bytes.end(), names.begin(), names.end());
        const std::size_t recordAt = bytes.size();
        if (withRecord) {
            bytes.insert(bytes.end(), signature.begin(), signature.end());
            for (std::uint16_t n : numbers)
                Put(bytes, bytes.size(), n, 2, true);
        }
        while (bytes.size() % 8)
            bytes.push_back(0);
        const std::size_t shoff = bytes.size();
        const int sections = withRecord ? 3 : 2;
        bytes.resize(bytes.size() + sections * sectionHeaderSize, 0);

        const unsigned char ident[] = {0x7F, 'E', 'L', 'F', static_cast<unsigned char>(is64 ? 2 : 1),
                                       static_cast<unsigned char>(bigEndian ? 2 : 1), 1};
        std::copy(std::begin(ident), std::end(ident), bytes.begin());
        shoffAt = is64 ? 0x28 : 0x20;
        shentsizeAt = is64 ? 0x3A : 0x2E;
        shnumAt = is64 ? 0x3C : 0x30;
        shstrndxAt = is64 ? 0x3E : 0x32;
        Put(bytes, shoffAt, shoff, is64 ? 8 : 4);
        Put(bytes, shentsizeAt, sectionHeaderSize, 2);
        Put(bytes, shnumAt, static_cast<std::uint64_t>(sections), 2);
        Put(bytes, shstrndxAt, 1, 2);

        namesHeaderAt = shoff + sectionHeaderSize;
        WriteSection(bytes, namesHeaderAt, 1, 3 /* SHT_STRTAB */, namesAt, names.size());
        recordHeaderAt = shoff + 2 * sectionHeaderSize;
        if (withRecord)
            WriteSection(bytes, recordHeaderAt, recordNameAt, 1 /* SHT_PROGBITS */, recordAt, 16);
        return bytes;
    }

    // Offsets of a section header's offset, size and type fields.
    std::size_t OffsetField(std::size_t header) const { return header + (is64 ? 24 : 16); }
    std::size_t SizeField(std::size_t header) const { return header + (is64 ? 32 : 20); }
    std::size_t TypeField(std::size_t header) const { return header + 4; }
    int AddressBytes() const { return is64 ? 8 : 4; }

    void Put(std::vector<unsigned char>& bytes, std::size_t at, std::uint64_t value, int size,
             bool append = false) const
    {
        if (append)
            bytes.resize(bytes.size() + size);
        for (int i = 0; i < size; ++i) {
            const int shift = bigEndian ? 8 * (size - 1 - i) : 8 * i;
            bytes[at + i] = static_cast<unsigned char>(value >> shift);
        }
    }

    static void Write(const std::filesystem::path& path, const std::vector<unsigned char>& bytes)
    {
        std::ofstream out(path, std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }

private:
    void WriteSection(std::vector<unsigned char>& bytes, std::size_t at, std::uint32_t name,
                      std::uint32_t type, std::uint64_t offset, std::uint64_t size) const
    {
        Put(bytes, at, name, 4);
        Put(bytes, at + 4, type, 4);
        Put(bytes, OffsetField(at), offset, AddressBytes());
        Put(bytes, SizeField(at), size, AddressBytes());
    }
};
