#pragma once

#include <string>

namespace tavorin {

// A number as the wait line writes it: at most 15 significant digits, "." as
// the point, "-" only for negatives, one 0 before the point below 1, no
// trailing zeros and no point for whole values. Beyond the plain range
// (below 0.0001, or from 1E+15 on) an exponent follows, as in "1.5E-07".
std::u16string NumberText(double value);

}  // namespace tavorin
