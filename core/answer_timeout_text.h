#pragma once

#include <string>

namespace wirevane {

// The report line of a run that gave up waiting for the answer to a row, without the brackets
// the terminal adds. The same words in the window and in the headless runner's record.
std::u16string NoAnswerText(int row, int limitMs);

} // namespace wirevane
