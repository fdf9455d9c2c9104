// The test host's bookkeeping: one named case at a time, each passed or
// failed with what was wrong, and the closing "N passed, N failed" line.
#pragma once

#include <string>

// What one case found wrong; empty when it passed.
class CaseCheck {
 public:
  explicit CaseCheck(std::string name) : name_(std::move(name)) {}
  void Expect(bool holds, const std::string& what) {
    if (!holds) failures_ += (failures_.empty() ? "" : "; ") + what;
  }
  const std::string& name() const { return name_; }
  const std::string& failures() const { return failures_; }

 private:
  std::string name_;
  std::string failures_;
};

class CaseReport {
 public:
  void Record(const CaseCheck& check);
  // A case that could not run, e.g. because its DLL was not built: a failure.
  void NotRun(const std::string& name, const std::string& reason);
  void PrintSummary() const;
  int failed() const { return failed_; }

 private:
  int passed_ = 0;
  int failed_ = 0;
};

// The text as C source would spell it, for messages about mismatches.
std::string Quoted(const std::string& text);
