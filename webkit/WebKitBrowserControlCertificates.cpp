// The WebKit control's answer to a certificate the engine refused: the host
// hears of it as a navigation error, then the user sees what is wrong and may
// accept that certificate for that host until the program ends. Nothing is
// ever accepted without the user following the page's own link.
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "ErrorReport.h"
#include "GObjectPtr.h"
#include "WebKitCertificateFacts.h"
#include "WebKitEnginePages.h"

namespace platform {
namespace {

// The navigation error status the host hears for a refused certificate (INET_E_INVALID_CERTIFICATE).
constexpr std::int32_t kInvalidCertificateStatus = static_cast<std::int32_t>(0x800C0019);
// Followed from the certificate page only; the token makes it unguessable.
constexpr const char* kAcceptPrefix = "about:pandrel-accept-certificate?";

std::string HostOf(const std::string& url)
{
    const GOwnedPtr<GUri, g_uri_unref> parsed(g_uri_parse(url.c_str(), G_URI_FLAGS_NONE, nullptr));
    const char* host = parsed ? g_uri_get_host(parsed.get()) : nullptr;
    return host ? host : "";
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
        RefusedCertificate refused{url, host, kAcceptPrefix + TakeGText(g_uuid_string_random()),
                                   GObjectPtr<GTlsCertificate>::Ref(certificate)};
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
    webkit_web_context_allow_tls_certificate_for_host(webkit_web_view_get_context(view_.get()), accepted.certificate.get(),
                                                      accepted.host.c_str());
    webkit_web_view_load_uri(view_.get(), accepted.url.c_str());
}

} // namespace platform
