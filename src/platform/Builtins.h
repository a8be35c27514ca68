#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// Shows the text in a modal message box with an OK button; returns when it is dismissed.
void MsgBox(std::string_view text);

// The desktop's alert sound.
void Beep();

// Asks the application to quit: the open windows close through their close path and
// RuntimeRun returns. A request while already quitting does nothing more.
void Quit(std::int32_t code = 0);

// Code point of the text's first character; 0 for the empty text.
std::int32_t Asc(std::string_view text);

// The number that the text's leading part spells: optional blanks and line breaks, an
// optional sign, digits with an optional decimal point, an optional exponent. Anything
// else, or nothing, gives 0. Never throws; overflow gives an infinity.
double Val(std::string_view text);

// The number laid out by a pattern of '#' places, then optionally a '.' and '0' places:
// as many integer digits as the number needs (none for a zero integer part), every
// place after the point. Rounded from the exact binary value, exact ties away from zero,
// so Format(14.25, "##.0") is "14.3". Raises RuntimeException for any other pattern.
std::string Format(double number, std::string_view pattern);

// Compares by character code: negative, zero or positive.
std::int32_t RuntimeStringCompare(std::string_view a, std::string_view b);

// a followed by b.
std::string RuntimeAddString(std::string_view a, std::string_view b);

// Truncates toward zero; values beyond the range give the nearer bound, NaN gives 0.
std::int32_t RuntimeCvtReal64ToSInt32(double value);
double RuntimeCvtSInt32ToReal64(std::int32_t value);
double RuntimePow(double base, double exponent);

// Lets the framework do pending work (events, repaints).
void RuntimeBackgroundTask();

}  // namespace platform
