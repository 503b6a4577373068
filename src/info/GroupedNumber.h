// Numbers as a person reads them in d88info's texts: a count of five digits
// or more in groups of three ("6,656,416"), a shorter one as it is ("1024").
// The -v columns and --json keep their plain digits.
#pragma once

#include <string>

namespace d88info {

std::string groupedNumber(unsigned long long number);

}  // namespace d88info
