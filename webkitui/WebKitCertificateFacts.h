#pragma once
// Reads what the certificate page shows from a certificate the engine refused.
#include "WebKitEnginePages.h"

#include <gio/gio.h>

namespace platform {

CertificateFacts CertificateFactsOf(GTlsCertificate* certificate, GTlsCertificateFlags errors, const std::string& host);

} // namespace platform
