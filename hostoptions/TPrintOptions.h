#pragma once
// Print settings TBrowserHost keeps for its owner; nothing prints from them.
#include <string>
#include <vector>

enum class TPrintOrientationOption { poPortrait, poLandscape };

struct TMargins {
    double Left = 0;
    double Right = 0;
    double Top = 0;
    double Bottom = 0;
};

class TPrintOptions {
public:
    const std::vector<std::string>& HTMLHeader() const { return FHTMLHeader; }
    // Copies the lines.
    void SetHTMLHeader(const std::vector<std::string>& lines) { FHTMLHeader = lines; }
    std::vector<std::string>& HTMLHeaderLines() { return FHTMLHeader; }

    std::string Header;
    std::string Footer;
    TMargins Margins;
    TPrintOrientationOption Orientation = TPrintOrientationOption::poPortrait;

private:
    std::vector<std::string> FHTMLHeader;
};
