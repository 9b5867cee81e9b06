// Sweep over the public decimal -> binary64 cases: every line's text, and
// its variants with a sign and with the exponent letters d and D, must
// convert to the line's double. In the denormal range either neighbour of
// the expected double is accepted.
#include <cstdio>
#include <fstream>
#include <string>

#include "bits.h"
#include "calc/text_to_number.h"

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: vectors_sweep decimal-to-binary64.txt\n");
        return 2;
    }
    std::ifstream file(argv[1]);
    if (!file) {
        std::printf("skipped: %s not found\n", argv[1]);
        return 77;
    }
    long lines = 0, failures = 0;
    std::string line;
    while (std::getline(file, line)) {
        if (line.size() < 18) continue;
        ++lines;
        const std::uint64_t expected = std::stoull(line.substr(0, 16), nullptr, 16);
        const std::string text = line.substr(17);
        std::string variant = text;
        for (char& c : variant) {
            if (c == 'e') c = 'd';
            if (c == 'E') c = 'D';
        }
        struct Form {
            std::string text;
            std::uint64_t sign;
        };
        const Form forms[] = {{text, 0}, {"-" + text, std::uint64_t{1} << 63}, {"+" + variant, 0}};
        for (const Form& form : forms) {
            const std::uint64_t got = calc_test::bits_of(calc::text_to_number(form.text));
            const std::uint64_t want = expected | form.sign;
            const bool denormal = (expected & 0x7FF0000000000000) == 0;
            const std::uint64_t distance = got > want ? got - want : want - got;
            if (got == want || (denormal && distance == 1)) continue;
            if (++failures <= 20) {
                std::printf("MISMATCH \"%s\": got %s, want %s\n", form.text.c_str(), calc_test::hex(got).c_str(),
                            calc_test::hex(want).c_str());
            }
        }
    }
    std::printf("%ld lines, %ld conversions, %ld mismatches\n", lines, lines * 3, failures);
    return failures == 0 && lines > 0 ? 0 : 1;
}
