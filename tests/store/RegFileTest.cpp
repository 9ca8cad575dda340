// Registry export files: round trips through the store, hand-written REGEDIT4 and
// version 5 files with every value type, and broken files refused by line.
#include "RegFile.h"
#include "RegFileText.h"
#include "RegFileTransfer.h"
#include "RegistryStore.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

using namespace platform;

namespace {

const std::vector<RegSubtree> kAllowed = {
    {RegRoot::CurrentUser, "Software\\Kestrane\\Pandrel"},
    {RegRoot::ClassesRoot, "htmlfile\\shell"},
};

// Every value beneath the allowed subtrees: (root, lower-case key path, name) -> value.
using Dump = std::map<std::tuple<int, std::string, std::string>, std::pair<std::uint32_t, std::string>>;

std::string Lower(std::string s)
{
    for (auto& c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

Dump DumpStore(RegistryStore& store)
{
    Dump dump;
    for (const auto& key : ExportSubtrees(store, kAllowed).keys)
        for (const auto& value : key.values)
            dump[{key.root == "HKEY_CLASSES_ROOT", Lower(key.path), Lower(value.name)}] = {value.type, value.data};
    return dump;
}

void Set(RegistryStore& store, RegRoot root, const std::string& path, const std::string& name,
         std::uint32_t type, const std::string& data)
{
    RegKey key;
    ASSERT_EQ(store.CreateKey(root, path, key), kRegSuccess);
    ASSERT_EQ(store.SetValue(key, name, type, data), kRegSuccess);
}

std::string Text(const char* text) { return std::string(text) + '\0'; }

std::string Version5(const std::string& utf8) { return "\xFF\xFE" + Utf8ToUtf16Le(utf8); }

std::pair<std::uint32_t, std::string> Value(const Dump& dump, const std::string& path, const std::string& name,
                                            int classesRoot = 0)
{
    auto found = dump.find({classesRoot, Lower(path), Lower(name)});
    return found == dump.end() ? std::pair<std::uint32_t, std::string>{999, "<missing>"} : found->second;
}

constexpr const char* kProgram = "Software\\Kestrane\\Pandrel";

// A version 5 file's start up to a key 512 levels deep, without its ']'.
std::string Deepest()
{
    std::string key = "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER";
    for (int level = 0; level < kRegMaxKeyDepth; ++level)
        key += "\\k";
    return key;
}

} // namespace

TEST(RegFileTest, ExportThenImportOnAnEmptyStoreGivesTheSameValues)
{
    TempDir from, to;
    RegistryStore source(from.path());
    const std::string binary(300, '\x5a');
    Set(source, RegRoot::CurrentUser, kProgram, "Welcomed", REG_DWORD, std::string("\x01\x00\x00\x00", 4));
    Set(source, RegRoot::CurrentUser, kProgram, "", REG_SZ, Text("default"));
    Set(source, RegRoot::CurrentUser, kProgram, "ProfileName3", REG_SZ, Text("Caf\xC3\xA9 \"quoted\" C:\\path \xF0\x9F\x98\x80"));
    Set(source, RegRoot::CurrentUser, kProgram, "Name \"with\" \\", REG_SZ, Text(""));
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Label0", REG_SZ, Text("two\r\nlines"));
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "NoNul", REG_SZ, "no terminator");
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Inner", REG_SZ, std::string("a\0b\0", 4));
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Expand", REG_EXPAND_SZ, Text("%HOME%\\x"));
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Multi", REG_MULTI_SZ, std::string("a\0\xC3\xA9\0\0", 6));
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Session0", REG_BINARY, binary);
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Empty", REG_BINARY, "");
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Short", REG_DWORD, "\x07");
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile3", "Odd", 0x20, "xyz");
    Set(source, RegRoot::CurrentUser, std::string(kProgram) + "\\Empty\\Key", "Qword", 11, std::string(8, '\x01'));
    Set(source, RegRoot::ClassesRoot, "htmlfile\\shell\\open\\ddeexec\\application", "", REG_SZ, Text("IExplore"));
    Set(source, RegRoot::CurrentUser, "Software\\Other", "NotOurs", REG_SZ, Text("x"));

    const std::string bytes = WriteRegFile(ExportSubtrees(source, kAllowed));
    ASSERT_TRUE(bytes.starts_with("\xFF\xFE"));
    const std::string text = *Utf16LeToUtf8(std::string_view(bytes).substr(2));
    EXPECT_TRUE(text.starts_with("Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel]\r\n")) << text;
    EXPECT_NE(text.find("\r\n\"Welcomed\"=dword:00000001\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"ProfileName3\"=\"Caf\xC3\xA9 \\\"quoted\\\" C:\\\\path \xF0\x9F\x98\x80\"\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\"Session0\"=hex:5a,5a,"), std::string::npos) << text;
    EXPECT_NE(text.find(",\\\r\n  5a,"), std::string::npos) << "long binary data is wrapped: " << text;
    EXPECT_EQ(text.find("NotOurs"), std::string::npos) << text;
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + 1))
        ASSERT_EQ(text[at - 1], '\r') << "every line ends with CRLF";

    RegistryStore target(to.path());
    const RegImportReport report = ImportRegFile(target, ParseRegFile(bytes), kAllowed);
    EXPECT_TRUE(report.skipped.empty());
    EXPECT_EQ(report.valuesWritten, 15);
    const Dump expected = DumpStore(source), imported = DumpStore(target);
    EXPECT_EQ(expected.size(), 15u);
    EXPECT_EQ(imported, expected);
}

TEST(RegFileTest, HandWrittenFilesOfBothVersionsWithEveryValueType)
{
    // REGEDIT4: 8-bit Windows-1252 text (0x80 is the euro sign, 0xE9 e-acute).
    const std::string regedit4 =
        "REGEDIT4\r\n"
        "\r\n"
        "; a comment line\r\n"
        "[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel]\r\n"
        "@=\"default \\\"text\\\"\"\r\n"
        "\"ProfileName1\"=\"Caf\xE9 \x80 C:\\\\dir\"\r\n"
        "\"Welcomed\"=dword:0000001F\r\n"
        "\"Bin\"=hex:01,02,\\\r\n"
        "  ff,\\\r\n"
        "\t  00\r\n"
        "\"Expand\"=hex(2):25,41,25,E9,00\r\n"
        "\"Gone\"=-\r\n"
        "  ; indented comment\r\n"
        "[-HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel\\Profile9]\r\n"
        "[HKEY_LOCAL_MACHINE\\Software\\Kestrane\\Pandrel]\r\n"
        "\"Machine\"=\"x\"\r\n"
        "[HKEY_CURRENT_USER\\Software\\Elsewhere]\r\n"
        "\"Outside\"=\"x\"\r\n";
    TempDir dir;
    RegistryStore store(dir.path());
    Set(store, RegRoot::CurrentUser, kProgram, "Gone", REG_SZ, Text("old"));
    Set(store, RegRoot::CurrentUser, kProgram, "Kept", REG_SZ, Text("kept"));
    Set(store, RegRoot::CurrentUser, std::string(kProgram) + "\\Profile9\\Deep", "Label0", REG_SZ, Text("x"));
    const RegFile file = ParseRegFile(regedit4);
    EXPECT_FALSE(file.unicode);
    const RegImportReport report = ImportRegFile(store, file, kAllowed);
    EXPECT_EQ(report.valuesWritten, 5);
    EXPECT_EQ(report.valuesDeleted, 1);
    EXPECT_EQ(report.keysDeleted, 1);
    ASSERT_EQ(report.skipped.size(), 2u);
    EXPECT_EQ(report.skipped[0], "line 15: [HKEY_LOCAL_MACHINE\\Software\\Kestrane\\Pandrel] is under a root Pandrel does not keep");
    EXPECT_EQ(report.skipped[1], "line 17: [HKEY_CURRENT_USER\\Software\\Elsewhere] is not one of Pandrel's keys");

    Dump dump = DumpStore(store);
    EXPECT_EQ(Value(dump, kProgram, ""), std::make_pair(REG_SZ, Text("default \"text\"")));
    EXPECT_EQ(Value(dump, kProgram, "ProfileName1"), std::make_pair(REG_SZ, Text("Caf\xC3\xA9 \xE2\x82\xAC C:\\dir")));
    EXPECT_EQ(Value(dump, kProgram, "Welcomed"), std::make_pair(REG_DWORD, std::string("\x1F\0\0\0", 4)));
    EXPECT_EQ(Value(dump, kProgram, "Bin"), std::make_pair(REG_BINARY, std::string("\x01\x02\xFF\x00", 4)));
    EXPECT_EQ(Value(dump, kProgram, "Expand"), std::make_pair(REG_EXPAND_SZ, Text("%A%\xC3\xA9")));
    EXPECT_EQ(Value(dump, kProgram, "Gone").second, "<missing>");
    EXPECT_EQ(Value(dump, kProgram, "Kept"), std::make_pair(REG_SZ, Text("kept")));
    EXPECT_EQ(Value(dump, std::string(kProgram) + "\\Profile9\\Deep", "Label0").second, "<missing>");
    RegKey gone;
    EXPECT_EQ(store.OpenKey(RegRoot::CurrentUser, std::string(kProgram) + "\\Profile9", gone), kRegFileNotFound);

    // Version 5: UTF-16LE, LF-only lines accepted, hex(2) and hex(7) hold UTF-16LE.
    const std::string version5 = Version5(
        "Windows Registry Editor Version 5.00\n\n"
        "[HKEY_CLASSES_ROOT\\htmlfile\\shell\\open]\n"
        "@=\"\xE2\x82\xAC\"\n"
        "\"Multi\"=hex(7):61,00,00,00,62,00,00,00,00,00\n"
        "\"Expand\"=hex(2):25,00,41,00,25,00,00,00\n"
        "\"Qword\"=hex(b):01,00,00,00,00,00,00,00\n"
        "\"None\"=hex(0):\n"
        "\"Word\"=dword:ffffffff\n");
    const RegFile unicode = ParseRegFile(version5);
    EXPECT_TRUE(unicode.unicode);
    EXPECT_EQ(ImportRegFile(store, unicode, kAllowed).valuesWritten, 6);
    dump = DumpStore(store);
    EXPECT_EQ(Value(dump, "htmlfile\\shell\\open", "", 1), std::make_pair(REG_SZ, Text("\xE2\x82\xAC")));
    EXPECT_EQ(Value(dump, "htmlfile\\shell\\open", "Multi", 1), std::make_pair(REG_MULTI_SZ, std::string("a\0b\0\0", 5)));
    EXPECT_EQ(Value(dump, "htmlfile\\shell\\open", "Expand", 1), std::make_pair(REG_EXPAND_SZ, Text("%A%")));
    EXPECT_EQ(Value(dump, "htmlfile\\shell\\open", "Qword", 1), std::make_pair(11u, std::string("\x01\0\0\0\0\0\0\0", 8)));
    EXPECT_EQ(Value(dump, "htmlfile\\shell\\open", "None", 1), std::make_pair(REG_NONE, std::string()));
    EXPECT_EQ(Value(dump, "htmlfile\\shell\\open", "Word", 1), std::make_pair(REG_DWORD, std::string(4, '\xFF')));
}

TEST(RegFileTest, BrokenFilesAreRefusedWithTheirLineNumber)
{
    const std::string head = "REGEDIT4\r\n[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel]\r\n";
    const std::string head5 = "Windows Registry Editor Version 5.00" + head.substr(8);
    const std::vector<std::pair<std::string, int>> broken = {
        {"Windows Registry Editor Version 4.00\r\n", 1},
        {"", 1},
        {"\xFF\xFE\x00\xD8", 1},                       // unpaired surrogate
        {"REGEDIT4\r\n\"a\"=\"b\"\r\n", 2},          // value before any key
        {head + "\"a\"=\"unterminated\r\n", 3},
        {head + "\"a\"=\"bad \\n escape\"\r\n", 3},
        {head + "\"a\"=\"b\" trailing\r\n", 3},
        {head + "\"a\"\"b\"\r\n", 3},
        {head + "\"a\"=dword:123456789\r\n", 3},
        {head + "\"a\"=dword:xyz\r\n", 3},
        {head + "\"a\"=dword:\r\n", 3},
        {head + "\"a\"=hex:1,02\r\n", 3},
        {head + "\"a\"=hex:01,,02\r\n", 3},
        {head + "\"a\"=hex(zz):01\r\n", 3},
        {head + "\"a\"=hex(2)01\r\n", 3},
        {head + "\"a\"=hex:01,\\\r\n  02,\\\r\n", 5},  // continues past the end
        {head + "\"a\"=hex:01,\\\r\n  0g\r\n", 4},
        {head + "\"a\"=other\r\n", 3},
        {head + "\r\n[HKEY_CURRENT_USER\\x\r\n", 4},
        {head + "[Software\\x]\r\n", 3},
        {head + "[-HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel\\P]\r\n\"a\"=\"b\"\r\n", 4},
        {head + "junk\r\n", 3},
        {head + std::string("\"a\0b\"=\"x\"\r\n", 12), 3},     // NUL in a value name
        // Version 5 text types in hex must be UTF-16: odd length, unpaired surrogates.
        {head5 + "\"a\"=hex(2):41,00,42\r\n", 3},
        {head5 + "\"a\"=hex(1):41,00,\\\r\n  00,d8,42,00\r\n", 3},
        {head5 + "\"a\"=hex(7):00,dc,00,00\r\n", 3},
        {Deepest() + "\\k]\r\n", 2},                            // 513 levels
        {"REGEDIT4\r\n[HKEY_CURRENT_USER\\" + std::string(256, 'k') + "]\r\n", 2},
        {head + "\"" + std::string(16384, 'v') + "\"=\"x\"\r\n", 3},
    };
    for (const auto& [bytes, line] : broken) {
        try {
            ParseRegFile(bytes);
            ADD_FAILURE() << "accepted: " << bytes;
        } catch (const RegFileError& error) {
            EXPECT_EQ(error.Line(), line) << error.what() << " in: " << bytes;
        }
    }
    // Right at the bounds: 512 levels, 16,383 units, 255 (U+1F600 takes two) are read.
    EXPECT_EQ(ParseRegFile(Version5(Deepest() + "]\r\n\"" + std::string(16383, 'v') + "\"=\"x\"\r\n[HKEY_CURRENT_USER\\"
                                    + std::string(253, 'k') + "\xF0\x9F\x98\x80]\r\n")).keys.size(), 2u);
}

// Keys an older import let in, deeper than a file can name, are left out of an
// export (and said so), which therefore always reads back.
TEST(RegFileTest, AStoreDeeperThanAFileCanHoldExportsWhatReadsBack)
{
    TempDir dir;
    RegistryStore store(dir.path());
    std::string deep = kProgram;
    for (int level = 3; level < kRegMaxKeyDepth + 8; ++level)
        deep += "\\k";
    Set(store, RegRoot::CurrentUser, deep, "v", REG_SZ, Text("x"));
    std::vector<std::string> leftOut;
    const RegFile exported = ExportSubtrees(store, kAllowed, &leftOut);
    EXPECT_EQ(ParseRegFile(WriteRegFile(exported)).keys.size(), static_cast<std::size_t>(kRegMaxKeyDepth - 2));
    ASSERT_EQ(leftOut.size(), 1u);
    EXPECT_TRUE(leftOut[0].ends_with("\\k and everything beneath it")) << leftOut[0];
}
