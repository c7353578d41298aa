// Breaking text into lines: at carriage returns (a CR LF pair or a lone LF counts as one
// break; a break at the very end adds no empty line, as the platform measures it) and,
// within `maxWidth`, between words. A word wider than the limit gets a line
// of its own.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace ui {

std::vector<std::string> WrapText(const std::string& text, int maxWidth,
                                  const std::function<int(const std::string&)>& measure);

}  // namespace ui
