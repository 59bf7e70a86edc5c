#include "framework/app/CommandLine.h"

#include <cstdlib>

CommandLine::CommandLine(int argc, char** argv) {
  for (int i = 0; i < argc && argv && argv[i]; ++i) tokens_.emplace_back(argv[i]);
}

int CommandLine::FindOption(const char* option) const {
  if (!option) return -1;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (String(tokens_[i].c_str()).EqualsNoCase(option)) return static_cast<int>(i);
  }
  return -1;
}

bool CommandLine::HasOption(const char* option) const { return FindOption(option) >= 0; }

long CommandLine::GetOptionInt(const char* option) const {
  const int at = FindOption(option);
  if (at < 0 || at + 1 >= static_cast<int>(tokens_.size())) return 0;
  return std::strtol(tokens_[static_cast<size_t>(at) + 1].c_str(), nullptr, 10);
}

String CommandLine::Text() const {
  String text;
  for (size_t i = 0; i < tokens_.size(); ++i) {
    if (i > 0) text += ' ';
    text += tokens_[i].c_str();
  }
  return text;
}
