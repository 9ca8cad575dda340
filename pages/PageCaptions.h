#pragma once
// How a new tab's caption is made from the URL it was opened with.
#include <string>

namespace pages {

// Cuts text at the first occurrence of separator: returns the part before it and
// leaves the part after it in text. Without a separator the whole text is the
// head and text becomes empty.
std::string SplitAtSeparator(std::string& text, const std::string& separator);

// The second dot-separated part of the address, its first letter upper-cased,
// when at least two dots follow the scheme; otherwise empty text. Only a
// leading "http://" is treated as a scheme.
std::string CaptionFromURL(const std::string& url);

// The caption of a page opened for url beside pageCount others: CaptionFromURL,
// or the number of the new page when that gives none.
std::string NewPageCaption(const std::string& url, int pageCount);

} // namespace pages
