#include "ReadableUrl.h"

#include "GObjectPtr.h"
#include "LookalikeCharacters.h"
#include "ReadableHost.h"

#include <glib.h>

namespace pages {
namespace {

constexpr GUriFlags kParseFlags = static_cast<GUriFlags>(G_URI_FLAGS_PARSE_RELAXED | G_URI_FLAGS_ENCODED);

using UriPtr = platform::GOwnedPtr<GUri, g_uri_unref>;
using platform::TakeGText;

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    c = g_ascii_tolower(c);
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// Decodes runs of escaped bytes of 0x80 and up that spell readable UTF-8.
std::string DecodeReadableEscapes(const std::string& text)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string bytes;
        std::size_t j = i;
        while (j + 2 < text.size() && text[j] == '%' && HexValue(text[j + 1]) >= 0 && HexValue(text[j + 2]) >= 0 &&
               HexValue(text[j + 1]) >= 8) {
            bytes += static_cast<char>(HexValue(text[j + 1]) * 16 + HexValue(text[j + 2]));
            j += 3;
        }
        if (bytes.empty()) {
            out += text[i++];
            continue;
        }
        bool readable = g_utf8_validate(bytes.c_str(), static_cast<gssize>(bytes.size()), nullptr);
        for (const char* p = bytes.c_str(); readable && *p; p = g_utf8_next_char(p))
            readable = !HidesMeaning(g_utf8_get_char(p));
        out += readable ? bytes : text.substr(i, j - i);
        i = j;
    }
    return out;
}

} // namespace

std::string ReadableUrl(const std::string& address)
{
    const UriPtr uri(g_uri_parse(address.c_str(), kParseFlags, nullptr));
    if (!uri)
        return address;
    std::string readable = TakeGText(g_uri_to_string(uri.get()));
    const char* host = g_uri_get_host(uri.get());
    if (host) {
        const std::string shown = ReadableHost(host);
        if (shown != host)
            readable = TakeGText(g_uri_join(G_URI_FLAGS_ENCODED, g_uri_get_scheme(uri.get()),
                                            g_uri_get_userinfo(uri.get()), shown.c_str(), g_uri_get_port(uri.get()),
                                            g_uri_get_path(uri.get()), g_uri_get_query(uri.get()),
                                            g_uri_get_fragment(uri.get())));
    }
    return DecodeReadableEscapes(readable);
}

} // namespace pages
