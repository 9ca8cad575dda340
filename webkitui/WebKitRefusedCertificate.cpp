#include "WebKitRefusedCertificate.h"

#include "SecureToken.h"
#include "WebKitCertificateFacts.h"
#include "WebKitEnginePages.h"

namespace platform {
namespace {

// Followed from the certificate page only; the token (128 bits from the
// system's cryptographic source) makes it unguessable.
constexpr const char* kAcceptPrefix = "about:pandrel-accept-certificate?";

std::string HostOf(const std::string& url)
{
    const GOwnedPtr<GUri, g_uri_unref> parsed(g_uri_parse(url.c_str(), G_URI_FLAGS_NONE, nullptr));
    const char* host = parsed ? g_uri_get_host(parsed.get()) : nullptr;
    return host ? host : "";
}

} // namespace

WebKitRefusedCertificate::WebKitRefusedCertificate(std::string url, GTlsCertificate* certificate,
                                                   GTlsCertificateFlags errors)
    : url_(std::move(url)),
      host_(HostOf(url_)),
      acceptURL_(kAcceptPrefix + SecureToken()),
      certificate_(GObjectPtr<GTlsCertificate>::Ref(certificate)),
      errors_(errors)
{
}

bool WebKitRefusedCertificate::IsAcceptLink(const std::string& url)
{
    return url.rfind(kAcceptPrefix, 0) == 0;
}

std::string WebKitRefusedCertificate::Page() const
{
    return CertificateErrorPage(url_, CertificateFactsOf(certificate_.get(), errors_, host_), acceptURL_);
}

bool WebKitRefusedCertificate::IsAcceptedBy(const std::string& url) const
{
    return url == acceptURL_ && certificate_ && !host_.empty();
}

} // namespace platform
