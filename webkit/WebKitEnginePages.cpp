#include "WebKitEnginePages.h"

namespace platform {
namespace {

std::string Page(const std::string& title, const std::string& body)
{
    return "<!DOCTYPE html><html><head><meta charset=\"utf-8\"><title>" + EscapeHtml(title) +
           "</title><style>body{font-family:sans-serif;margin:3em;color:#333}h1{font-size:1.4em}"
           "code{word-break:break-all}</style></head><body><h1>" +
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

} // namespace platform
