#pragma once
// Keeps one environment variable's value, or its absence, and puts it back when it goes.
#include <cstdlib>
#include <string>

class EnvironmentGuard {
public:
  explicit EnvironmentGuard(const char* name) : name_(name) {
    const char* value = std::getenv(name);
    had_ = value != nullptr;
    if (had_) value_ = value;
  }
  ~EnvironmentGuard() {
    if (had_) setenv(name_, value_.c_str(), 1);
    else unsetenv(name_);
  }
  EnvironmentGuard(const EnvironmentGuard&) = delete;
  EnvironmentGuard& operator=(const EnvironmentGuard&) = delete;

private:
  const char* name_;
  bool had_ = false;
  std::string value_;
};
