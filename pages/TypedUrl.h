#pragma once
// What text a person typed (or the store gave back) means as an address. Text
// is read once, where it enters the program (the URL box, the page commands,
// a stored page set, a handed-over URL); the reading is carried to the page's
// browser, which is sent to its address as it is.
//
// The text is trimmed; an absolute path becomes a file URI; "host",
// "host:port/path" and IP addresses get http; http, https, file, about and
// data addresses are taken (scheme in any letter case); "javascript:" and
// schemes the page view cannot show are refused with a message for the user;
// plain words go to the web search. The address comes back encoded exactly
// once: escapes already in the text stay, other bytes are escaped, and a
// non-ASCII host name is given in its ASCII (IDNA) form.
#include <stdexcept>
#include <string>

namespace pages {

// The web search used when none is stored; "%s" stands for the words.
inline constexpr const char* kDefaultSearchAddress = "https://duckduckgo.com/?q=%s";

struct TypedUrl {
    enum class Kind {
        Empty,   // nothing but blanks: there is nothing to open
        Address, // open `address`
        Refused, // not opened; `message` says why, naming the text
    };
    Kind kind = Kind::Empty;
    std::string address;
    std::string message;
    // The text as it was given, untrimmed: what a page keeps as its FirstURL
    // and the URL history records.
    std::string text;
};

// searchAddress is an http(s) address holding "%s"; anything else (a damaged
// stored value) is replaced by kDefaultSearchAddress.
TypedUrl ReadTypedUrl(const std::string& text, const std::string& searchAddress = kDefaultSearchAddress);

// A refused address, raised where an address is needed at once; what() is the
// message for the user.
class ERefusedAddress : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

} // namespace pages
