#pragma once
// The pages the WebKit engine shows itself: a failed load and a crashed page.
#include <string>
#include <vector>

namespace platform {

// HTML text with &, <, >, " and ' escaped.
std::string EscapeHtml(const std::string& text);
std::string FailedLoadPage(const std::string& url, const std::string& reason);
std::string CrashedPage(const std::string& url, const std::string& reason);

// What is known of a certificate the engine refused.
struct CertificateFacts {
    std::string host;
    std::string subject;
    std::string issuer;
    std::string validFrom;
    std::string validUntil;
    std::vector<std::string> problems; // one sentence each
};
constexpr const char* kCertificatePageTitle = "This connection is not secure";
constexpr const char* kAcceptCertificateCaption = "Accept the risk for this site";
// The page shown instead of a site whose certificate was refused: what is
// wrong, what the user can do, and a link to acceptURL that accepts this
// certificate for this host until the program ends.
std::string CertificateErrorPage(const std::string& url, const CertificateFacts& facts, const std::string& acceptURL);

} // namespace platform
