// The writers of scan results: an aligned table, CSV and JSON.
#pragma once

#include <cstdint>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

class RowWriter {
 public:
  virtual ~RowWriter() = default;
  // Called once, before any row, with the column names (address excluded).
  virtual void Begin(const std::vector<std::string>& columns) = 0;
  // One address (host order) and its texts, in ascending address order.
  virtual void Row(uint32_t address, const std::vector<std::string>& texts) = 0;
  // Called once after the last row.
  virtual void End() = 0;
};

enum class OutputFormat { Table, Csv, Json };

// The writers stream every row as it comes, except the table, which needs
// all rows to align its columns. Table cells wider than `maxWidth` columns
// are cut and end in "..." (0: never cut).
std::unique_ptr<RowWriter> MakeTableWriter(std::ostream& out, size_t maxWidth);
std::unique_ptr<RowWriter> MakeCsvWriter(std::ostream& out);
std::unique_ptr<RowWriter> MakeJsonWriter(std::ostream& out);
std::unique_ptr<RowWriter> MakeRowWriter(OutputFormat format, std::ostream& out,
                                         size_t maxWidth);
