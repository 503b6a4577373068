#include "GroupedNumber.h"

namespace d88info {

std::string groupedNumber(unsigned long long number) {
    const std::string digits = std::to_string(number);
    if (digits.size() < 5) {
        return digits;
    }
    std::string text;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) {
            text += ',';
        }
        text += digits[i];
    }
    return text;
}

}  // namespace d88info
