// The accept link of a certificate page carries a token nobody can guess:
// 128 bits from the system's cryptographic source, new for every refusal.
#include "WebKitRefusedCertificate.h"

#include <gtest/gtest.h>

#include <regex>

using namespace platform;

namespace {

std::string AcceptToken(const WebKitRefusedCertificate& refused)
{
    std::smatch found;
    const std::string page = refused.Page();
    EXPECT_TRUE(std::regex_search(page, found, std::regex("href=\"about:pandrel-accept-certificate\\?([^\"]*)\"")))
        << "no accept link in the page";
    return found.size() > 1 ? found[1].str() : std::string();
}

} // namespace

TEST(RefusedCertificate, TheAcceptLinkCarriesA128BitTokenNewForEveryRefusal)
{
    const WebKitRefusedCertificate first("https://127.0.0.1:1/", nullptr, G_TLS_CERTIFICATE_UNKNOWN_CA);
    const WebKitRefusedCertificate second("https://127.0.0.1:1/", nullptr, G_TLS_CERTIFICATE_UNKNOWN_CA);
    const std::string token = AcceptToken(first);
    EXPECT_TRUE(std::regex_match(token, std::regex("[0-9a-f]{32}"))) << "not 128 random bits: " << token;
    EXPECT_NE(token, AcceptToken(second));
    EXPECT_FALSE(first.IsAcceptedBy("about:pandrel-accept-certificate?" + AcceptToken(second)));
}
