#include "WebKitCertificateFacts.h"

#include "GObjectPtr.h"

#include <utility>

namespace platform {
namespace {

// The date GLib handed out, as text; freed at once.
std::string DateText(GDateTime* given)
{
    const GOwnedPtr<GDateTime, g_date_time_unref> when(given);
    return when ? TakeGText(g_date_time_format(when.get(), "%Y-%m-%d %H:%M UTC")) : std::string();
}

// One sentence per error flag, in a fixed order.
std::vector<std::string> CertificateProblems(GTlsCertificateFlags errors)
{
    static const std::pair<GTlsCertificateFlags, const char*> kProblems[] = {
        {G_TLS_CERTIFICATE_UNKNOWN_CA,
         "The certificate is not signed by an authority this computer trusts (it may be self-signed)."},
        {G_TLS_CERTIFICATE_BAD_IDENTITY, "The certificate was issued for another site."},
        {G_TLS_CERTIFICATE_NOT_ACTIVATED, "The certificate is not valid yet (or this computer's clock is wrong)."},
        {G_TLS_CERTIFICATE_EXPIRED, "The certificate has expired (or this computer's clock is wrong)."},
        {G_TLS_CERTIFICATE_REVOKED, "The certificate has been revoked by its issuer."},
        {G_TLS_CERTIFICATE_INSECURE, "The certificate uses an algorithm that is no longer safe."},
        {G_TLS_CERTIFICATE_GENERIC_ERROR, "The certificate could not be checked."},
    };
    std::vector<std::string> out;
    for (const auto& [flag, text] : kProblems)
        if (errors & flag)
            out.emplace_back(text);
    if (out.empty())
        out.emplace_back("The certificate could not be checked.");
    return out;
}

} // namespace

CertificateFacts CertificateFactsOf(GTlsCertificate* certificate, GTlsCertificateFlags errors, const std::string& host)
{
    CertificateFacts facts;
    facts.host = host;
    facts.problems = CertificateProblems(errors);
    if (certificate) {
        facts.subject = TakeGText(g_tls_certificate_get_subject_name(certificate));
        facts.issuer = TakeGText(g_tls_certificate_get_issuer_name(certificate));
        facts.validFrom = DateText(g_tls_certificate_get_not_valid_before(certificate));
        facts.validUntil = DateText(g_tls_certificate_get_not_valid_after(certificate));
    }
    return facts;
}

} // namespace platform
