// The WebKit control's answer to a certificate the engine refused: the host
// hears of it as a navigation error, then the user sees what is wrong and may
// accept that certificate for that host until the program ends. Nothing is
// ever accepted without the user following the page's own link.
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "ErrorReport.h"
#include "WebKitCertificateFacts.h"
#include "WebKitEnginePages.h"

namespace platform {
namespace {

// The navigation error status of a refused certificate, as the original control reports it.
constexpr std::int32_t kInvalidCertificateStatus = static_cast<std::int32_t>(0x800C0019);
// Followed from the certificate page only; the token makes it unguessable.
constexpr const char* kAcceptPrefix = "about:pandrel-accept-certificate?";

std::string HostOf(const std::string& url)
{
    GUri* parsed = g_uri_parse(url.c_str(), G_URI_FLAGS_NONE, nullptr);
    if (!parsed)
        return {};
    const char* host = g_uri_get_host(parsed);
    std::string out = host ? host : "";
    g_uri_unref(parsed);
    return out;
}

} // namespace

gboolean WebKitBrowserControl::OnTlsErrors(WebKitWebView*, gchar* failingUri, GTlsCertificate* certificate,
                                           GTlsCertificateFlags errors, gpointer data)
{
    Held self(data);
    RunGuarded([&] {
        if (!self)
            return;
        const std::string url = failingUri ? failingUri : "";
        self->approvedURL_.reset();
        DispParams args = self->events_.Raise(DISPID_NAVIGATEERROR, {self->Self(), Variant(url), Variant(""),
                                                                     Variant(kInvalidCertificateStatus),
                                                                     WordBool(false)});
        if (args.Arg(4).AsBool() || !self)
            return;
        const std::string host = HostOf(url);
        gchar* token = g_uuid_string_random();
        RefusedCertificate refused{url, host, std::string(kAcceptPrefix) + token, nullptr};
        g_free(token);
        if (certificate)
            refused.certificate.reset(G_TLS_CERTIFICATE(g_object_ref(certificate)), g_object_unref);
        const std::string page =
            CertificateErrorPage(url, CertificateFactsOf(certificate, errors, host), refused.acceptURL);
        self->refusedCertificate_ = std::move(refused);
        self->ShowInternalPage(page, url);
    });
    return TRUE;
}

bool WebKitBrowserControl::IsAcceptCertificateLink(const std::string& url)
{
    return url.rfind(kAcceptPrefix, 0) == 0;
}

// Accepts the refused certificate when the user followed the certificate
// page's own link, and shows the site again.
void WebKitBrowserControl::AcceptCertificateIfAsked(WebKitNavigationAction* action, const std::string& url)
{
    if (!refusedCertificate_ || url != refusedCertificate_->acceptURL || !refusedCertificate_->certificate ||
        refusedCertificate_->host.empty())
        return;
    const auto type = webkit_navigation_action_get_navigation_type(action);
    if (type != WEBKIT_NAVIGATION_TYPE_LINK_CLICKED && !webkit_navigation_action_is_user_gesture(action))
        return;
    RefusedCertificate accepted = std::move(*refusedCertificate_);
    refusedCertificate_.reset();
    webkit_web_context_allow_tls_certificate_for_host(webkit_web_view_get_context(view_), accepted.certificate.get(),
                                                      accepted.host.c_str());
    webkit_web_view_load_uri(view_, accepted.url.c_str());
}

} // namespace platform
