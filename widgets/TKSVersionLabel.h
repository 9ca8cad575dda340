#pragma once
// A label showing a program file's version, read once when the label is made,
// in one of three styles. Its text always comes from the version numbers.
#include "VersionRecord.h"
#include "VersionText.h"

#include <gtkmm/label.h>

#include <cstdint>
#include <string>

class TKSVersionLabel : public Gtk::Label {
public:
    // Reads the version of programFile; the running program's own by default.
    explicit TKSVersionLabel(const std::string& programFile = platform::kRunningProgramFile);

    TKSVerLabelDisplayFormat DisplayFormat() const { return FDisplayFormat; }
    // Rebuilds the text only when the style changes; the file is not read again.
    void SetDisplayFormat(TKSVerLabelDisplayFormat value);

    std::uint32_t Major() const { return FMajor; }
    std::uint32_t Minor() const { return FMinor; }
    std::uint32_t Release() const { return FRelease; }
    std::uint32_t Build() const { return FBuild; }

private:
    void ReadVersion(const std::string& programFile);
    void UpdateCaption();

    TKSVerLabelDisplayFormat FDisplayFormat = TKSVerLabelDisplayFormat::ldfDefault;
    std::uint32_t FMajor = 0;
    std::uint32_t FMinor = 0;
    std::uint32_t FRelease = 0;
    std::uint32_t FBuild = 0;
};
