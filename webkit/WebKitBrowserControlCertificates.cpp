// The WebKit control's answer to a certificate the engine refused: the host
// hears of it as a navigation error, then the user sees what is wrong and may
// accept that certificate for that host until the program ends. Nothing is
// ever accepted without the user following the page's own link.
#include "WebKitBrowserControl.h"

#include "BrowserDispIds.h"
#include "ErrorReport.h"

namespace platform {
namespace {

// The navigation error status the host hears for a refused certificate.
constexpr std::int32_t kInvalidCertificateStatus = static_cast<std::int32_t>(0x800C0019);

} // namespace

gboolean WebKitBrowserControl::OnTlsErrors(WebKitWebView*, gchar* failingUri, GTlsCertificate* certificate,
                                           GTlsCertificateFlags errors, gpointer data)
{
    WhileOpen(data, [&](Held& self) {
        const std::string url = failingUri ? failingUri : "";
        self->approvedURL_.reset();
        self->endingLoad_ = EndingLoad::Failed;
        DispParams args = self->events_.Raise(DISPID_NAVIGATEERROR, {self->Self(), Variant(url), Variant(""),
                                                                     Variant(kInvalidCertificateStatus),
                                                                     WordBool(false)});
        if (args.Arg(4).AsBool() || !self)
            return;
        self->refusedCertificate_.emplace(url, certificate, errors);
        self->ShowErrorPage(self->refusedCertificate_->Page(), url);
    });
    return TRUE;
}

// Accepts the refused certificate when the user followed the certificate
// page's own link with a click or key press of their own (WebKit's gesture
// flag and a gesture in the view not used for anything else), and shows the
// site again.
void WebKitBrowserControl::AcceptCertificateIfAsked(WebKitNavigationAction* action, const std::string& url)
{
    if (!refusedCertificate_ || !refusedCertificate_->IsAcceptedBy(url))
        return;
    if (!guard_.Gate().Admit(action))
        return; // a script's click is not the user's
    const WebKitRefusedCertificate accepted = std::move(*refusedCertificate_);
    refusedCertificate_.reset();
    webkit_web_context_allow_tls_certificate_for_host(webkit_web_view_get_context(view_.get()), accepted.Certificate(),
                                                      accepted.Host().c_str());
    webkit_web_view_load_uri(view_.get(), accepted.Url().c_str());
}

} // namespace platform
