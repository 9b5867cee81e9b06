#include "calc/fold_full_width.h"

namespace calc {

namespace {

// The ASCII byte a two-byte character folds to, or 0 when it stays as it is.
char folded_pair(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3) return trail >= 0xA1 && trail <= 0xFE ? static_cast<char>(trail - 0x80) : 0;
    if (lead != 0xA1) return 0;
    switch (trail) {
    case 0xA1: return ' ';
    case 0xAB: return '~';
    case 0xEE:
    case 0xEF: return '*';
    default: return 0;
    }
}

}  // namespace

std::string fold_full_width(std::string_view text) {
    text = text.substr(0, text.find('\0'));
    std::string folded;
    folded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead < 0x80) {
            folded.push_back(text[i]);
            continue;
        }
        if (i + 1 == text.size()) break;  // a lone lead byte at the end
        const auto trail = static_cast<unsigned char>(text[i + 1]);
        if (const char ascii = folded_pair(lead, trail)) {
            folded.push_back(ascii);
        } else {
            folded.push_back(text[i]);
            folded.push_back(text[i + 1]);
        }
        ++i;
    }
    return folded;
}

}  // namespace calc
