// The version record: found in the running program, read from ELF files of
// either class and byte order, and never trusted when damaged.
#include "TempDir.h"
#include "TestElfImage.h"
#include "VersionRecord.h"

#include <gtest/gtest.h>

#include <functional>

using platform::FileVersion;
using platform::ReadVersionRecord;

TEST(VersionRecord, RunningProgramCarriesTheProjectVersion)
{
    const auto version = ReadVersionRecord(platform::kRunningProgramFile);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(*version, (FileVersion{2, 0, 0, 31}));
}

TEST(VersionRecord, ReadsEveryClassAndByteOrderWithFullRangeNumbers)
{
    TempDir dir;
    for (const bool is64 : {true, false}) {
        for (const bool bigEndian : {false, true}) {
            TestElfImage elf;
            elf.is64 = is64;
            elf.bigEndian = bigEndian;
            elf.numbers[0] = 65535;
            elf.numbers[1] = 258; // 0x0102: byte order matters
            elf.numbers[2] = 7;
            elf.numbers[3] = 40000;
            const auto path = dir / "program";
            TestElfImage::Write(path, elf.Build());
            const auto version = ReadVersionRecord(path.string());
            ASSERT_TRUE(version.has_value()) << "64-bit " << is64 << ", big-endian " << bigEndian;
            EXPECT_EQ(*version, (FileVersion{65535, 258, 7, 40000}))
                << "64-bit " << is64 << ", big-endian " << bigEndian;
        }
    }
}

TEST(VersionRecord, MissingOrDamagedRecordsGiveNothing)
{
    TempDir dir;
    using Damage = std::function<void(TestElfImage&, std::vector<unsigned char>&)>;
    const std::vector<std::pair<const char*, Damage>> cases = {
        {"no record section", [](TestElfImage& e, auto& b) { e.withRecord = false; b = e.Build(); }},
        {"other section name", [](TestElfImage& e, auto& b) { e.sectionName = ".pandrel_versio"; b = e.Build(); }},
        {"wrong signature", [](TestElfImage& e, auto& b) { e.signature = "PNDRLVEX"; b = e.Build(); }},
        {"not an ELF file", [](TestElfImage&, auto& b) { b[1] = 'X'; }},
        {"unknown class", [](TestElfImage&, auto& b) { b[4] = 3; }},
        {"unknown byte order", [](TestElfImage&, auto& b) { b[5] = 0; }},
        {"header cut short", [](TestElfImage&, auto& b) { b.resize(40); }},
        {"section headers cut short", [](TestElfImage&, auto& b) { b.erase(b.end() - 10, b.end()); }},
        {"section headers beyond the end",
         [](TestElfImage& e, auto& b) { e.Put(b, e.shoffAt, 0xFFFFFFFFFFFFFF00ull, 8); }},
        {"no section headers", [](TestElfImage& e, auto& b) { e.Put(b, e.shnumAt, 0, 2); }},
        {"section header size too small", [](TestElfImage& e, auto& b) { e.Put(b, e.shentsizeAt, 16, 2); }},
        {"name table index out of range", [](TestElfImage& e, auto& b) { e.Put(b, e.shstrndxAt, 7, 2); }},
        {"name table index escaped", [](TestElfImage& e, auto& b) { e.Put(b, e.shstrndxAt, 0xFFFF, 2); }},
        {"name table beyond the end",
         [](TestElfImage& e, auto& b) { e.Put(b, e.OffsetField(e.namesHeaderAt), 1u << 30, e.AddressBytes()); }},
        {"name table too short for the name",
         [](TestElfImage& e, auto& b) { e.Put(b, e.SizeField(e.namesHeaderAt), 20, e.AddressBytes()); }},
        {"record beyond the end",
         [](TestElfImage& e, auto& b) { e.Put(b, e.OffsetField(e.recordHeaderAt), b.size() - 8, e.AddressBytes()); }},
        {"record offset wraps around",
         [](TestElfImage& e, auto& b) { e.Put(b, e.OffsetField(e.recordHeaderAt), ~0ull, e.AddressBytes()); }},
        {"record section too small",
         [](TestElfImage& e, auto& b) { e.Put(b, e.SizeField(e.recordHeaderAt), 15, e.AddressBytes()); }},
        {"record section holds no bytes",
         [](TestElfImage& e, auto& b) { e.Put(b, e.TypeField(e.recordHeaderAt), 8, 4); }},
    };
    for (const auto& [name, damage] : cases) {
        TestElfImage elf;
        std::vector<unsigned char> bytes = elf.Build();
        damage(elf, bytes);
        const auto path = dir / "program";
        TestElfImage::Write(path, bytes);
        EXPECT_FALSE(ReadVersionRecord(path.string()).has_value()) << name;
    }

    // The undamaged image is read, so each case above failed for its own damage.
    TestElfImage elf;
    TestElfImage::Write(dir / "program", elf.Build());
    EXPECT_TRUE(ReadVersionRecord((dir / "program").string()).has_value());

    EXPECT_FALSE(ReadVersionRecord("").has_value());
    EXPECT_FALSE(ReadVersionRecord((dir / "missing").string()).has_value());
    EXPECT_FALSE(ReadVersionRecord(dir.path().string()).has_value()) << "a folder";
    TestElfImage::Write(dir / "empty", {});
    EXPECT_FALSE(ReadVersionRecord((dir / "empty").string()).has_value());
}
