#pragma once
// The program's command line as tokens, program path first. Options compare without regard to
// case; a numeric option takes the token after it.
#include <string>
#include <vector>

#include "framework/core/String.h"

class CommandLine {
 public:
  CommandLine() = default;
  explicit CommandLine(std::vector<std::string> tokens) : tokens_(std::move(tokens)) {}
  CommandLine(int argc, char** argv);

  bool HasOption(const char* option) const;
  // The leading decimal digits of the token after the first matching option; 0 when the option
  // is absent or last.
  long GetOptionInt(const char* option) const;
  // The whole line, tokens joined by single spaces.
  String Text() const;

 private:
  int FindOption(const char* option) const;

  std::vector<std::string> tokens_;
};
