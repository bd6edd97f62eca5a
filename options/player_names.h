// SPDX-License-Identifier: GPL-3.0-or-later
// Players' names as the options window shows them: stored names are untrusted text of any length and bytes.
#pragma once

#include <cstddef>
#include <string>

namespace zem::options {

// The longest name the name box accepts, in characters a person sees.
inline constexpr size_t kNameMaxCharacters = 12;

// How many characters a person sees in a UTF-8 text: code points, with combining marks, variation selectors
// and joined sequences counted with the character they belong to; a byte that is not UTF-8 counts as one.
size_t visibleLength(const std::string& text);

// A stored name as the window and the caption show it: valid UTF-8 (a stray byte becomes U+FFFD), control
// characters (line ends, tabs) as blanks, letters in upper case, cut to kNameMaxCharacters characters.
std::string shownName(const std::string& stored);

}  // namespace zem::options
