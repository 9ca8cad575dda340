// The pages the engine shows itself quote what they show as text, never as markup.
#include "WebKitEnginePages.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(EnginePages, EscapeWhatTheyQuote)
{
    EXPECT_EQ(EscapeHtml("<a href=\"x\">&'"), "&lt;a href=&quot;x&quot;&gt;&amp;&#39;");
    const std::string page = FailedLoadPage("http://127.0.0.1/<script>", "refused");
    EXPECT_EQ(page.find("<script>"), std::string::npos);
    EXPECT_NE(page.find("&lt;script&gt;"), std::string::npos);
}

TEST(EnginePages, theCertificatePageSaysWhatIsWrongAndOffersTheAcceptLink)
{
    CertificateFacts facts{"bank.example", "CN=<bank>", "CN=Someone", "2026-01-01 00:00 UTC",
                           "2027-01-01 00:00 UTC", {"The certificate has expired."}};
    const std::string page = CertificateErrorPage("https://bank.example/", facts, "about:accept?token");
    for (const char* expected : {"This connection is not secure", "bank.example", "CN=&lt;bank&gt;", "CN=Someone",
                                 "2026-01-01 00:00 UTC", "2027-01-01 00:00 UTC", "The certificate has expired.",
                                 "href=\"about:accept?token\"", "Accept the risk for this site", "until Pandrel ends"})
        EXPECT_NE(page.find(expected), std::string::npos) << expected;
    EXPECT_EQ(page.find("Press Refresh"), std::string::npos) << "the advice of the plain error page";
}
