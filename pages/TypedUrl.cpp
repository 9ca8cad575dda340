#include "TypedUrl.h"

#include "GObjectPtr.h"

#include <glib.h>

#include <algorithm>
#include <cctype>

namespace pages {
namespace {

constexpr GUriFlags kParseFlags = static_cast<GUriFlags>(G_URI_FLAGS_PARSE_RELAXED | G_URI_FLAGS_ENCODED);
// The longest piece of the typed text a message quotes, in characters.
constexpr glong kQuotedLength = 120;

using UriPtr = platform::GOwnedPtr<GUri, g_uri_unref>;
using platform::TakeGText;

bool IsBlank(unsigned char c)
{
    return c <= 32;
}

std::string Trimmed(const std::string& text)
{
    auto first = std::find_if_not(text.begin(), text.end(), [](char c) { return IsBlank(c); });
    auto last = std::find_if_not(text.rbegin(), text.rend(), [](char c) { return IsBlank(c); }).base();
    return first < last ? std::string(first, last) : std::string();
}

bool HasBlank(const std::string& text)
{
    return std::any_of(text.begin(), text.end(), [](char c) { return IsBlank(c); });
}

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The text as a message quotes it: valid UTF-8, cut short when long.
std::string Quoted(const std::string& text)
{
    std::string valid = TakeGText(g_utf8_make_valid(text.c_str(), static_cast<gssize>(text.size())));
    if (g_utf8_strlen(valid.c_str(), -1) <= kQuotedLength)
        return valid;
    const char* end = g_utf8_offset_to_pointer(valid.c_str(), kQuotedLength);
    return std::string(valid.c_str(), end) + "\u2026";
}

TypedUrl Refused(const std::string& text, const std::string& why)
{
    return {TypedUrl::Kind::Refused, {}, "Pandrel cannot open \u201c" + Quoted(text) + "\u201d: " + why, {}};
}

TypedUrl Address(std::string address)
{
    return {TypedUrl::Kind::Address, std::move(address), {}, {}};
}

// The scheme of text in lower case, or empty when text starts with none. A
// "name:digits" start is a host and its port, not a scheme.
std::string SchemeOf(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos || colon == 0 || !std::isalpha(static_cast<unsigned char>(text[0])))
        return {};
    for (std::size_t i = 0; i < colon; ++i) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (!std::isalnum(c) && c != '+' && c != '-' && c != '.')
            return {};
    }
    const std::size_t portEnd = text.find_first_of("/?#", colon + 1);
    const std::string port = text.substr(colon + 1, portEnd == std::string::npos ? std::string::npos
                                                                                   : portEnd - colon - 1);
    if (!port.empty() && std::all_of(port.begin(), port.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
        return {};
    return Lower(text.substr(0, colon));
}

// A DNS name or IP address as GUri leaves it (brackets of IPv6 removed).
bool IsValidHost(const char* host)
{
    if (!host || !*host)
        return false;
    const std::string h(host);
    if (h.find(':') != std::string::npos)
        return std::all_of(h.begin(), h.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) || c == ':' || c == '.' || c == '%';
        });
    return std::all_of(h.begin(), h.end(), [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '-' || c == '.' || c == '_';
    });
}

// text (whose scheme is in lower case) encoded once; nullptr when GLib cannot
// read it as an address.
UriPtr Parse(const std::string& text)
{
    return UriPtr(g_uri_parse(text.c_str(), kParseFlags, nullptr));
}

std::string ToString(GUri* uri)
{
    return TakeGText(g_uri_to_string(uri));
}

bool IsUsableSearch(const std::string& address)
{
    const std::string lower = Lower(address.substr(0, 8));
    return (lower.rfind("http://", 0) == 0 || lower.rfind("https://", 0) == 0) &&
           address.find("%s") != std::string::npos;
}

TypedUrl Search(const std::string& words, const std::string& searchAddress)
{
    std::string address = IsUsableSearch(searchAddress) ? searchAddress : kDefaultSearchAddress;
    const std::string escaped = TakeGText(g_uri_escape_string(words.c_str(), nullptr, FALSE));
    address.replace(address.find("%s"), 2, escaped);
    if (UriPtr uri = Parse(address))
        return Address(ToString(uri.get()));
    if (searchAddress != kDefaultSearchAddress)
        return Search(words, kDefaultSearchAddress);
    return {};
}

TypedUrl WebAddress(const std::string& text, const std::string& withScheme)
{
    UriPtr uri = Parse(withScheme);
    if (!uri)
        return Refused(text, "it is not a valid address");
    if (!IsValidHost(g_uri_get_host(uri.get())))
        return Refused(text, "it names no valid host");
    return Address(ToString(uri.get()));
}

TypedUrl FilePath(const std::string& text)
{
    std::string path = text;
    if (path == "~" || path.rfind("~/", 0) == 0)
        path = std::string(g_get_home_dir()) + path.substr(1);
    const std::string uri = TakeGText(g_filename_to_uri(path.c_str(), nullptr, nullptr));
    if (uri.empty())
        return Refused(text, "it is not a valid file name");
    return Address(uri);
}

TypedUrl WithScheme(const std::string& text, const std::string& scheme, const std::string& searchAddress)
{
    const std::string rest = text.substr(scheme.size());
    if (scheme == "javascript")
        return Refused(text, "scripts cannot be typed as addresses");
    if (scheme == "http" || scheme == "https")
        return WebAddress(text, scheme + rest);
    if (scheme == "file" || scheme == "about" || scheme == "data") {
        UriPtr uri = Parse(scheme + rest);
        if (!uri)
            return Refused(text, "it is not a valid address");
        return Address(ToString(uri.get()));
    }
    // "note: buy milk" is words; "mailto:someone" an address the view cannot show.
    if (HasBlank(text))
        return Search(text, searchAddress);
    return Refused(text, "the page view cannot show \u201c" + Quoted(scheme) + ":\u201d addresses");
}

// The reading of text that is trimmed already.
TypedUrl ReadTrimmed(const std::string& t, const std::string& searchAddress)
{
    if (t.empty())
        return {};
    if (t[0] == '/' && t.rfind("//", 0) != 0)
        return FilePath(t);
    if (t == "~" || t.rfind("~/", 0) == 0)
        return FilePath(t);
    if (const std::string scheme = SchemeOf(t); !scheme.empty())
        return WithScheme(t, scheme, searchAddress);
    if (HasBlank(t))
        return Search(t, searchAddress);
    UriPtr uri = Parse("http://" + t);
    if (uri && IsValidHost(g_uri_get_host(uri.get())))
        return Address(ToString(uri.get()));
    return Search(t, searchAddress);
}

} // namespace

TypedUrl ReadTypedUrl(const std::string& text, const std::string& searchAddress)
{
    TypedUrl url = ReadTrimmed(Trimmed(text), searchAddress);
    url.text = text;
    return url;
}

} // namespace pages
