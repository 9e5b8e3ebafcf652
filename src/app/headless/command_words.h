#pragma once
// The words of one fluffo-sim line and their checked reading: whole numbers within a range,
// headings, timer names. A word that does not read raises BadLine with the text the driver
// reports, naming the command and quoting the word.

#include <cstdint>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "engine/game_state.h"
#include "engine/scheduler.h"

namespace fluffo {

// A line the driver cannot carry out; the text says what is wrong with it.
struct BadLine : std::runtime_error {
    using std::runtime_error::runtime_error;
};

using Words = std::vector<std::string_view>;

// A word as an error text shows it: in quotes, at most its first Quoted_Characters characters
// (then "..." after the quote), with quotes, backslashes and control bytes (NUL too) escaped,
// so that no line, however long or odd, is repeated whole.
inline constexpr size_t Quoted_Characters = 80;
std::string quoted(std::string_view text);

// Splits at spaces and tabs.
Words split_words(std::string_view line);

// The word at index of a usage text such as "wait MS", or nothing.
std::string_view usage_word(std::string_view usage, size_t index);

// Word i of a line (word 0 is the command), as a whole decimal number with an optional
// minus sign within lo..hi; `what` names it in the error text.
int64_t number_arg(const Words& a, size_t i, std::string_view what, int64_t lo, int64_t hi);

int32_t int32_arg(const Words& a, size_t i, std::string_view what,
                  int64_t lo = std::numeric_limits<int32_t>::min(),
                  int64_t hi = std::numeric_limits<int32_t>::max());

// A heading by its number: none (0), or exactly one direction bit.
Dir dir_arg(const Words& a, size_t i);

TimerId timer_arg(const Words& a, size_t i);

}  // namespace fluffo
