#pragma once
// Text helpers of the Linux shell backend: a program's parameter text split
// into arguments the way a POSIX shell splits words, and environment
// variables expanded in a file or folder text. Neither runs a shell.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace platform_linux {

// Splits `text` into words as sh does, without any expansion:
//   - blanks, tabs and line breaks separate words;
//   - '...' keeps everything inside literally;
//   - "..." keeps everything inside, where a backslash escapes only the
//     characters $ ` " and backslash, and a line break (which it removes);
//   - outside quotes a backslash takes the next character literally, and a
//     backslash before a line break removes both;
//   - quotes join with what touches them ("a"'b'c is one word abc); an empty
//     pair "" is an empty word.
// The shell would refuse an unterminated quote; here it runs to the end of
// the text, and a trailing lone backslash stands for itself, so every text
// gives an argument list (as the Windows shell never refuses a command line).
std::vector<std::string> splitShellWords(std::string_view text);

// Looks a variable up; nullptr when it is not set.
using EnvironmentLookup = std::function<const char*(const std::string& name)>;

// Replaces $NAME, ${NAME} and the Windows form %NAME% by the variable's value
// (NAME: letters, digits and underscores, not starting with a digit in the
// $ forms). A variable that is not set is left as written, as the Windows
// shell does with %NAME%, so that a path is never silently shortened. "$$"
// and "%%" stand for themselves.
std::string expandEnvironment(std::string_view text, const EnvironmentLookup& lookup);
// The same with the process environment.
std::string expandEnvironment(std::string_view text);

}  // namespace platform_linux
