// RunScanRows: Init, a Scan per table row with a guarded buffer, Finalize.
#include "windows/scan_rows.h"

#include <cstring>

#include "windows/host_cases.h"

void RunScanRows(PluginUnderTest& plugin, const ScanRow* rows, std::size_t count,
                 const ScanRowCheck& checkRow, CaseReport& report) {
  const std::string prefix = std::string(plugin.name) + " Scan, ";
  if (!plugin.problem().empty()) {
    for (std::size_t i = 0; i < count; ++i) report.NotRun(prefix + rows[i].label, plugin.problem());
    return;
  }
  const int32_t initResult = plugin.library->Init();
  for (std::size_t i = 0; i < count; ++i) {
    const ScanRow& row = rows[i];
    CaseCheck check(prefix + row.label);
    check.Expect(initResult == 1, "Init returned " + std::to_string(initResult));
    char text[300];
    std::memset(text, '#', sizeof text);
    std::strcpy(text, row.before);
    const int32_t result = plugin.library->Scan(row.address, text, row.textSize);
    const std::string shown(text, strnlen(text, sizeof text));
    check.Expect(static_cast<int32_t>(shown.size()) < row.textSize, "text overran textSize");
    check.Expect(text[row.textSize] == '#', "wrote past textSize");
    checkRow(i, result, shown, check);
    ExpectCdecl(plugin, check);
    report.Record(check);
  }
  CaseCheck finalize(std::string(plugin.name) + " Finalize");
  const int32_t finalizeResult = plugin.library->Finalize();
  finalize.Expect(finalizeResult == 1, "returned " + std::to_string(finalizeResult));
  ExpectCdecl(plugin, finalize);
  report.Record(finalize);
}
