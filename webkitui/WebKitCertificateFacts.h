#pragma once
// Reads what the certificate page shows from a certificate the engine refused.
#include "WebKitEnginePages.h"

#include <gio/gio.h>

namespace platform {

// One sentence per error flag, in a fixed order.
std::vector<std::string> CertificateProblems(GTlsCertificateFlags errors);
CertificateFacts CertificateFactsOf(GTlsCertificate* certificate, GTlsCertificateFlags errors, const std::string& host);

} // namespace platform
