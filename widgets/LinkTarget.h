#pragma once
// What a click on a TUrlLabel opens.
#include <string>

// text without leading and trailing blanks and control characters (bytes up to
// and including the space).
std::string TrimBlanks(const std::string& text);

// The URL as stored when it holds more than blanks, otherwise the caption; empty
// when the chosen text holds nothing but blanks, so nothing is opened.
std::string LinkTarget(const std::string& url, const std::string& caption);
