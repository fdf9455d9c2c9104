// Runs a table of Scan calls against one plug-in DLL, the way the scanner
// drives it: Init, one Scan per row, Finalize.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "windows/case_report.h"
#include "windows/plugin_set.h"

struct ScanRow {
  const char* label;
  uint32_t address;
  const char* before;  // the column text on entry
  int32_t textSize;
};

// Judges one row: its index, what Scan returned and the text it left.
using ScanRowCheck =
    std::function<void(std::size_t row, int32_t result, const std::string& shown, CaseCheck& check)>;

// Each Scan gets a fresh '#'-filled buffer holding `before`; the runner itself
// checks Init's and Finalize's results, that nothing is written at or past
// textSize, and the cdecl stack. Rows of a plug-in that did not load are
// reported as not run.
void RunScanRows(PluginUnderTest& plugin, const ScanRow* rows, std::size_t count,
                 const ScanRowCheck& checkRow, CaseReport& report);
