// The version label: its three styles, numbers up to 65535, and a file
// without a version record.
#include "TestElfImage.h"
#include "TKSVersionLabel.h"
#include "TempDir.h"
#include "VersionText.h"

#include <gtest/gtest.h>

using Format = TKSVerLabelDisplayFormat;
using Texts = std::vector<std::string>;

namespace {

// What the label shows in each style, in the order default, with revision,
// version only; it is left in the default style.
Texts ShownInEveryStyle(TKSVersionLabel& label)
{
    Texts shown;
    for (Format style : {Format::ldfDefault, Format::ldfIncludeRevision, Format::ldfShowOnlyVersion}) {
        label.SetDisplayFormat(style);
        shown.push_back(label.get_text());
    }
    label.SetDisplayFormat(Format::ldfDefault);
    return shown;
}

} // namespace

TEST(VersionText, ThreeStylesOmitOnlyWhatTheyShouldOmit)
{
    struct Row {
        std::uint32_t major, minor, release, build;
        const char* normal;
        const char* revision;
        const char* only;
    };
    const Row rows[] = {
        {2, 0, 0, 31, "Version 2.0 Build 31", "Version 2.0.0 Build 31", "2.0.0.31"},
        {1, 2, 3, 0, "Version 1.2 Release 3", "Version 1.2.3", "1.2.3.0"},
        {4, 10, 7, 12, "Version 4.10 Release 7 Build 12", "Version 4.10.7 Build 12", "4.10.7.12"},
        {0, 0, 0, 0, "Version 0.0", "Version 0.0.0", "0.0.0.0"},
        {65535, 65535, 65535, 65535, "Version 65535.65535 Release 65535 Build 65535",
         "Version 65535.65535.65535 Build 65535", "65535.65535.65535.65535"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(VersionText(r.major, r.minor, r.release, r.build, Format::ldfDefault), r.normal);
        EXPECT_EQ(VersionText(r.major, r.minor, r.release, r.build, Format::ldfIncludeRevision), r.revision);
        EXPECT_EQ(VersionText(r.major, r.minor, r.release, r.build, Format::ldfShowOnlyVersion), r.only);
    }
}

TEST(TKSVersionLabel, ShowsTheRunningProgramsVersionInEveryStyle)
{
    TKSVersionLabel label;
    EXPECT_EQ(label.get_text(), "Version 2.0 Build 31") << "the default style from the start";
    EXPECT_EQ(ShownInEveryStyle(label), (Texts{"Version 2.0 Build 31", "Version 2.0.0 Build 31", "2.0.0.31"}));
    EXPECT_EQ(label.get_text(), "Version 2.0 Build 31");
}

TEST(TKSVersionLabel, ReadsTheFileOnceAndPrintsFullRangeNumbers)
{
    TempDir dir;
    TestElfImage elf;
    elf.numbers[0] = 65535;
    elf.numbers[1] = 1;
    elf.numbers[2] = 0;
    elf.numbers[3] = 65535;
    const auto path = dir / "program";
    TestElfImage::Write(path, elf.Build());

    TKSVersionLabel label(path.string());
    EXPECT_EQ(label.Major(), 65535u);
    EXPECT_EQ(label.get_text(), "Version 65535.1 Build 65535");

    // Switching styles later uses the numbers read at construction.
    std::filesystem::remove(path);
    EXPECT_EQ(ShownInEveryStyle(label),
              (Texts{"Version 65535.1 Build 65535", "Version 65535.1.0 Build 65535", "65535.1.0.65535"}));
}

TEST(TKSVersionLabel, FileWithoutRecordShowsZeros)
{
    TempDir dir;
    TestElfImage elf;
    elf.withRecord = false;
    TestElfImage::Write(dir / "program", elf.Build());

    TKSVersionLabel label((dir / "program").string());
    EXPECT_EQ(ShownInEveryStyle(label), (Texts{"Version 0.0", "Version 0.0.0", "0.0.0.0"}));

    TKSVersionLabel missing((dir / "no-such-program").string());
    EXPECT_EQ(missing.get_text(), "Version 0.0");
}
