// Folding of the full-width forms of code page 936 to ASCII.
#pragma once

#include <string>
#include <string_view>

namespace calc {

// Returns `text` with these two-byte characters replaced by one ASCII byte:
//   A1 A1 (ideographic space) -> ' '      A1 AB (full-width tilde) -> '~'
//   A1 EE, A1 EF (white and black star) -> '*'
//   A3 A1 .. A3 FE (full-width '!' .. '~') -> the trail byte minus 0x80
// Every other byte is copied: ASCII bytes one by one, any other byte as the
// lead of a two-byte character together with the byte after it, whatever
// that byte is. A lead byte with nothing after it is dropped. The text ends
// at its first NUL byte. The result is never longer than `text`.
// Linear in the length of `text`; allocates only the result.
std::string fold_full_width(std::string_view text);

}  // namespace calc
