// What the suites that run tools and load data sources share: reading a file whole, looking for a
// text in it, and running a command as a user would.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>

// The file's bytes; empty when it cannot be read.
inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

inline bool Contains(const std::string& text, const std::string& what) {
  return text.find(what) != std::string::npos;
}

struct CommandResult {
  int status = -1;  // the exit status, -1 when the command did not exit
  std::string output;
};

// Runs `command` with the shell and gives back its standard output and exit status.
inline CommandResult RunCommand(const std::string& command) {
  CommandResult result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  size_t read = 0;
  while ((read = fread(buffer, 1, sizeof(buffer), pipe)) > 0) result.output.append(buffer, read);
  int status = pclose(pipe);
  result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

// A path as one word of a shell command.
inline std::string Quoted(const std::string& path) {
  return "'" + path + "'";
}

// A step of laying out a test root, which the test cannot do without.
inline void RunOrThrow(const std::string& command) {
  if (RunCommand(command).status != 0) throw std::runtime_error("failed: " + command);
}

// The text with each logger line's time stamp as "[<time>]", as the expected texts show it.
inline std::string WithoutTimeStamps(const std::string& text) {
  static const std::regex stamp(R"(\[\d{4}/\d{2}/\d{2} \d{2}:\d{2}:\d{2}\.\d{3,4}\])");
  return std::regex_replace(text, stamp, "[<time>]");
}
