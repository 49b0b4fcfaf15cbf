#pragma once
// The number rules of the extraction.
//
// Three rules, and they differ:
//  * isNumeric: is the whole text a number (blanks and line breaks around it
//    allowed, sign, digits, decimal separator, thousands separators, exponent
//    with E or D)?
//  * leadingNumber: the value of the longest beginning that reads as a number
//    with '.' as decimal point; blanks, tabs and line feeds inside are skipped;
//    0 when the text does not begin with a number.
//  * toDouble / toInt16: strict conversion of the whole text; nullopt when the
//    text is not a number.
// Numbers in Gaussian and AIM files always use '.'; pass the user's separator
// only for text the program wrote itself (its own tables).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace zerlant {

bool isNumeric(std::string_view text, char decimalSeparator = '.');
double leadingNumber(std::string_view text);
std::optional<double> toDouble(std::string_view text, char decimalSeparator = '.');
// Strict conversion to a 16-bit integer: the value rounded half to even, and
// nullopt when it is not a number or lies outside -32768..32767.
std::optional<std::int16_t> toInt16(std::string_view text, char decimalSeparator = '.');

// A double as text in the form of C's "%.15G" with the given separator:
// "0.4", "-39.7268", "1E-05", "1.5E+20"; never depends on the process locale.
std::string formatNumber(double value, char decimalSeparator = '.');

}  // namespace zerlant
