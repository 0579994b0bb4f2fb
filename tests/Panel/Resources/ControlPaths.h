#pragma once

// ExpandControlPaths: the control paths a pattern stands for, braces
// expanded: "bank{1..4}/encoder{1..8}" is the 32 paths bank1/encoder1 ...
// bank4/encoder8, and "{xAxis,yAxis}/button" the two paths xAxis/button and
// yAxis/button.

#include <string>
#include <vector>

namespace HV::Test {

inline std::vector<std::string> ExpandControlPaths(const std::string& pattern) {
  const size_t open = pattern.find('{');
  if (open == std::string::npos) return {pattern};
  const size_t close = pattern.find('}', open);
  const std::string inside = pattern.substr(open + 1, close - open - 1);
  std::vector<std::string> choices;
  if (const size_t dots = inside.find(".."); dots != std::string::npos) {
    for (int n = std::stoi(inside.substr(0, dots)); n <= std::stoi(inside.substr(dots + 2)); ++n)
      choices.push_back(std::to_string(n));
  } else {
    for (size_t start = 0; start <= inside.size();) {
      const size_t comma = std::min(inside.find(',', start), inside.size());
      choices.push_back(inside.substr(start, comma - start));
      start = comma + 1;
    }
  }
  std::vector<std::string> paths;
  for (const std::string& choice : choices)
    for (const std::string& rest : ExpandControlPaths(pattern.substr(close + 1)))
      paths.push_back(pattern.substr(0, open) + choice + rest);
  return paths;
}

}  // namespace HV::Test
