#pragma once

#include <cstdint>
#include <string>

namespace setup::wizard {

// A number with thousands separators and the given count of decimals, as
// the "%1.0n" and "%1.2n" formats write it ("1,234,567", "1.50").
std::string FormatNumber(double value, int decimals);
std::string FormatNumber(std::uint64_t value);

// A byte count in the largest unit that leaves 1 to 3 digits before
// scaling: 1-3 digits in B, 4-6 in KB, 7-9 in MB, 10-12 in GB, 13-15 in TB,
// with two decimals ("999.00B", "1.50KB"). Empty for a negative count and
// for more than 15 digits.
std::string FormatByteSize(std::int64_t bytes);

}  // namespace setup::wizard
