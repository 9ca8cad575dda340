#pragma once
// A host name as the URL box shows it: in its own script only where that
// cannot pose as another name, else in its ASCII (punycode) form.
#include <string>

namespace pages {

// host as GUri gives it (ASCII, "xn--" labels for Unicode ones; a host given
// in Unicode is read in that form first). Shown in
// Unicode only when every label passes: each character visible, neither
// deprecated nor a symbol, punctuation or a combining mark of no script
// (the hyphen and ASCII digits aside), in normalised form; each label in one
// recommended script or an allowed mix of Latin with Han and Kana, Bopomofo
// or Hangul; no label made only of Cyrillic, Greek or Armenian letters that
// look like Latin ones (unless the top-level label is of that script); no
// Kana or Han stroke that looks like "/" or "-" beside Latin letters.
std::string ReadableHost(const std::string& host);

} // namespace pages
