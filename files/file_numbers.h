// Numbers as the parameter and result files write them: reals in a
// 23-character scientific notation, fixed-point columns, and the reader's
// decimal syntax. Every conversion uses std::to_chars and std::from_chars,
// which never look at the process locale, so a desktop with a decimal comma
// reads and writes the same files as the batch tool.
#pragma once

#include <string>
#include <string_view>

namespace korvane {

// Real as the file writes it: sign position, d.dddddddddddddd, E, sign, 4 digits.
std::string formatReal23(double v);
// Fixed point, right-aligned in `width`, `decimals` decimals, point separator.
std::string formatFixed(long double v, int width, int decimals);

enum class RealParse { Ok, Syntax, Range };

// Parses a real of the file syntax completely ([sign] digits [. [digits]] |
// [sign] . digits, then optionally E or e, [sign], digits); a text that is
// only partly a number is a syntax fault, a number beyond the largest double
// a range fault. `v` is set only when the text is a number.
RealParse parseReal(std::string_view t, double& v);

// The 23-character field of `v` rounded toward zero to 15 significant
// digits: used where the rounding to nearest would carry a value near the
// largest double beyond it.
std::string real23Truncated(double v);

}  // namespace korvane
