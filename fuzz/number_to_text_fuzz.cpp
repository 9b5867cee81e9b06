// number_to_text of any 8 bytes taken as a double: 1 to 20 ASCII
// characters; for a finite value, a text that reads back to a double whose
// text is the same.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "calc/number_to_text.h"
#include "calc/text_to_number.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 8) return 0;
    double value;
    std::memcpy(&value, data, sizeof value);
    const std::string text = calc::number_to_text(value);
    if (text.empty() || text.size() > 20) std::abort();
    for (const char c : text) {
        if (static_cast<unsigned char>(c) >= 0x80 || c < 0x20) std::abort();
    }
    if (!std::isfinite(value)) return 0;
    const double back = calc::text_to_number(text);
    if (calc::number_to_text(back) != text) std::abort();
    // 13 digits are within half a unit of the 13th digit of the value.
    if (value != 0 && std::fabs(back - value) > std::fabs(value) * 1e-12) std::abort();
    return 0;
}
