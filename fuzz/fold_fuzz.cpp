// fold_full_width: never longer than its input, every byte outside the
// folded pairs kept in order, every folded pair one ASCII byte.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "calc/fold_full_width.h"

namespace {

bool folds(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3) return trail >= 0xA1 && trail <= 0xFE;
    return lead == 0xA1 && (trail == 0xA1 || trail == 0xAB || trail == 0xEE || trail == 0xEF);
}

char folded(unsigned char lead, unsigned char trail) {
    if (lead == 0xA3) return static_cast<char>(trail - 0x80);
    return trail == 0xA1 ? ' ' : trail == 0xAB ? '~' : '*';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::string result = calc::fold_full_width(text);
    const std::string_view until_nul = text.substr(0, text.find('\0'));
    if (result.size() > until_nul.size()) std::abort();
    // Walk both: the result must be exactly the input with the pairs folded.
    std::size_t out = 0;
    for (std::size_t i = 0; i < until_nul.size(); ++i) {
        const auto lead = static_cast<unsigned char>(until_nul[i]);
        if (lead < 0x80) {
            if (out >= result.size() || result[out++] != until_nul[i]) std::abort();
            continue;
        }
        if (i + 1 == until_nul.size()) break;
        const auto trail = static_cast<unsigned char>(until_nul[++i]);
        if (folds(lead, trail)) {
            if (out >= result.size() || result[out++] != folded(lead, trail)) std::abort();
        } else {
            if (out + 1 >= result.size() + 1 || result.compare(out, 2, until_nul.substr(i - 1, 2)) != 0) std::abort();
            out += 2;
        }
    }
    if (out != result.size()) std::abort();
    return 0;
}
