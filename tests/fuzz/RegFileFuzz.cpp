// Random input over the .reg parser. Built with AddressSanitizer; under clang's
// libFuzzer (-DPANDREL_LIBFUZZER=ON) libFuzzer drives it, otherwise main() below
// feeds a fixed number of mutated seed files. Every input must either parse or be
// refused with RegFileError, and whatever parses must write out and parse again
// to the same keys and values.
#include "RegFile.h"
#include "RegFileText.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

// Everything but the line numbers and the version: what a merge would do.
bool SameEntries(const platform::RegFile& a, const platform::RegFile& b)
{
    const auto value = [](const platform::RegFileValue& v) { return std::tie(v.name, v.remove, v.type, v.data); };
    return std::equal(a.keys.begin(), a.keys.end(), b.keys.begin(), b.keys.end(), [&](const auto& x, const auto& y) {
        return std::tie(x.root, x.path, x.remove) == std::tie(y.root, y.path, y.remove)
            && std::equal(x.values.begin(), x.values.end(), y.values.begin(), y.values.end(),
                          [&](const auto& v, const auto& w) { return value(v) == value(w); });
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    platform::RegFile file;
    try {
        file = platform::ParseRegFile(bytes);
    } catch (const platform::RegFileError& error) {
        if (error.Line() < 1)
            std::abort();
        return 0;
    }
    const std::string written = platform::WriteRegFile(file);
    try {
        if (!SameEntries(platform::ParseRegFile(written), file)) {
            std::fprintf(stderr, "written file reads back different values:\n%.*s\n", static_cast<int>(size),
                         reinterpret_cast<const char*>(data));
            std::abort();
        }
    } catch (const platform::RegFileError& error) {
        std::fprintf(stderr, "written file refused: %s\n", error.what());
        std::abort();
    }
    return 0;
}

#ifndef PANDREL_LIBFUZZER
namespace {

const std::vector<std::string> kSeeds = {
    "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel]\r\n@=\"a \\\"b\\\" \\\\\"\r\n"
    "\"Welcomed\"=dword:00000001\r\n\"Bin\"=hex:01,02,\\\r\n  03\r\n\"X\"=-\r\n; c\r\n"
    "[-HKEY_CURRENT_USER\\Software\\Kestrane\\Pandrel\\Profile2]\r\n",
    "Windows Registry Editor Version 5.00\n[HKEY_CLASSES_ROOT\\htmlfile]\n"
    "\"E\"=hex(2):25,00,41,00,00,00\n\"M\"=hex(7):61,00,00,00,00,00\n\"Q\"=hex(b):01,02,03,04,05,06,07,08\n"
    "\"S\"=hex(1):3d,d8,00,de,e9,00,00,00\n",
};

std::string Mutate(std::string input, std::mt19937& random)
{
    static const std::string kTokens[] = {"\\", "\"", "[", "]", "=", ",", "-", "@", "hex(", "):", "dword:",
                                          "\r\n", "\n", "\\\r\n", std::string(1, '\0'), "\xFF\xFE", "\xE9", "ff", ";",
                                          "d8,", "dc,", "e9,", "00,"};
    const int edits = 1 + static_cast<int>(random() % 8);
    for (int e = 0; e < edits; ++e) {
        const std::size_t at = input.empty() ? 0 : random() % (input.size() + 1);
        switch (random() % 5) {
        case 0: if (at < input.size()) input[at] = static_cast<char>(random()); break;
        case 1: if (at < input.size()) input.erase(at, 1 + random() % 8); break;
        case 2: input.insert(at, kTokens[random() % std::size(kTokens)]); break;
        case 3: input.resize(at); break;
        default: if (at < input.size()) input.insert(at, input.substr(at, random() % 32)); break;
        }
    }
    return input;
}

} // namespace

// Usage: regfile_fuzz [iterations] [seed]
int main(int argc, char** argv)
{
    const long iterations = argc > 1 ? std::atol(argv[1]) : 200000;
    std::mt19937 random(argc > 2 ? static_cast<unsigned>(std::atol(argv[2])) : 13u);
    std::vector<std::string> seeds = kSeeds;
    seeds.push_back("\xFF\xFE" + platform::Utf8ToUtf16Le(kSeeds[1]));
    for (long i = 0; i < iterations; ++i) {
        std::string input = Mutate(seeds[random() % seeds.size()], random);
        if (random() % 64 == 0)
            input = Mutate(input, random); // some inputs wander further
        LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(input.data()), input.size());
    }
    std::printf("%ld inputs parsed or refused without a fault\n", iterations);
    return 0;
}
#endif
