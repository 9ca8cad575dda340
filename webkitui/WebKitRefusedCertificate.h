#pragma once
// A certificate the engine refused for a site, until the user accepts it or
// moves on: the page that explains what is wrong, and that page's own link,
// which carries a random token, so that nothing but the user's following it
// accepts the certificate (for that host, until the program ends).
#include "GObjectPtr.h"

#include <gio/gio.h>

#include <string>

namespace platform {

class WebKitRefusedCertificate {
public:
    WebKitRefusedCertificate(std::string url, GTlsCertificate* certificate, GTlsCertificateFlags errors);

    // Whether url is the link of a certificate page (this one's or another's).
    static bool IsAcceptLink(const std::string& url);

    // The page shown in the site's place.
    std::string Page() const;
    // Whether url is this page's own link and there is a certificate to accept.
    bool IsAcceptedBy(const std::string& url) const;

    const std::string& Url() const { return url_; }
    const std::string& Host() const { return host_; }
    GTlsCertificate* Certificate() const { return certificate_.get(); }

private:
    std::string url_;
    std::string host_;
    std::string acceptURL_;
    GObjectPtr<GTlsCertificate> certificate_;
    GTlsCertificateFlags errors_;
};

} // namespace platform
