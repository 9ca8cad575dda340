#include "WebKitEnginePages.h"

namespace platform {
namespace {

std::string Page(const std::string& title, const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + EscapeHtml(title) +
           "</title><style>body{font-family:sans-serif;margin:3em;color:#333}h1{font-size:1.4em}"
           "code{word-break:break-all}th{text-align:left;padding-right:1em}</style></head><body><h1>" +
           EscapeHtml(title) + "</h1>" + body + "</body></html>";
}

} // namespace

std::string EscapeHtml(const std::string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        case '\'': out += "&#39;"; break;
        default: out += c;
        }
    }
    return out;
}

std::string FailedLoadPage(const std::string& url, const std::string& reason)
{
    return Page("This page could not be loaded",
                "<p><code>" + EscapeHtml(url) + "</code></p><p>" + EscapeHtml(reason) +
                    "</p><p>Press Refresh to try again.</p>");
}

std::string CrashedPage(const std::string& url, const std::string& reason)
{
    return Page("This page stopped working",
                "<p><code>" + EscapeHtml(url) + "</code></p><p>" + EscapeHtml(reason) +
                    "</p><p>Press Refresh to load it again.</p>");
}

std::string CertificateErrorPage(const std::string& url, const CertificateFacts& facts, const std::string& acceptURL)
{
    auto row = [](const char* name, const std::string& value) {
        return "<tr><th>" + EscapeHtml(name) + "</th><td>" + EscapeHtml(value.empty() ? "(not given)" : value) +
               "</td></tr>";
    };
    std::string problems;
    for (const std::string& problem : facts.problems)
        problems += "<li>" + EscapeHtml(problem) + "</li>";
    return Page(kCertificatePageTitle,
                "<p>Pandrel cannot confirm that this is the real <b>" + EscapeHtml(facts.host) +
                    "</b>. Someone may be trying to read or change what you send to it.</p>"
                    "<p><code>" + EscapeHtml(url) + "</code></p><ul>" + problems + "</ul>"
                    "<table>" + row("Site", facts.host) + row("Issued to", facts.subject) +
                    row("Issued by", facts.issuer) + row("Valid from", facts.validFrom) +
                    row("Valid until", facts.validUntil) +
                    "</table>"
                    "<p>If you typed the address, check it. If you use this site often, try again later or from "
                    "another network, or ask its owner. Do not enter passwords or payment details here.</p>"
                    "<p><a id=\"accept\" href=\"" + EscapeHtml(acceptURL) + "\">" + kAcceptCertificateCaption +
                    "</a>: show the site with this certificate until Pandrel ends.</p>");
}

} // namespace platform
