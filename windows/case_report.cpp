// CaseReport: one line per case on standard output, then the totals.
#include "windows/case_report.h"

#include <cstdio>

void CaseReport::Record(const CaseCheck& check) {
  if (check.failures().empty()) {
    ++passed_;
    std::printf("PASS %s\n", check.name().c_str());
  } else {
    ++failed_;
    std::printf("FAIL %s: %s\n", check.name().c_str(), check.failures().c_str());
  }
  std::fflush(stdout);
}

void CaseReport::NotRun(const std::string& name, const std::string& reason) {
  ++failed_;
  std::printf("FAIL %s: not run, %s\n", name.c_str(), reason.c_str());
  std::fflush(stdout);
}

void CaseReport::PrintSummary() const {
  std::printf("%d passed, %d failed\n", passed_, failed_);
  std::fflush(stdout);
}

std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      quoted += "\\n";
    } else if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (byte < 0x20 || byte >= 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", byte);
      quoted += escaped;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}
