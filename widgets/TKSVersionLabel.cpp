#include "TKSVersionLabel.h"

TKSVersionLabel::TKSVersionLabel(const std::string& programFile)
{
    ReadVersion(programFile);
    UpdateCaption();
}

void TKSVersionLabel::SetDisplayFormat(TKSVerLabelDisplayFormat value)
{
    if (value == FDisplayFormat)
        return;
    FDisplayFormat = value;
    UpdateCaption();
}

void TKSVersionLabel::ReadVersion(const std::string& programFile)
{
    // No record, or a damaged one, leaves all four at 0.
    FMajor = FMinor = FRelease = FBuild = 0;
    if (const auto version = platform::ReadVersionRecord(programFile)) {
        FMajor = version->major;
        FMinor = version->minor;
        FRelease = version->release;
        FBuild = version->build;
    }
}

void TKSVersionLabel::UpdateCaption()
{
    set_text(VersionText(FMajor, FMinor, FRelease, FBuild, FDisplayFormat));
}
