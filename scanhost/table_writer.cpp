// The aligned table: every row is kept until the end, then the columns are
// padded to their widest cell.
#include "scanhost/row_writer.h"
#include "scanhost/target_list.h"
#include "scanhost/text_escaping.h"

#include <algorithm>

namespace {

class TableWriter : public RowWriter {
 public:
  explicit TableWriter(std::ostream& out) : out_(out) {}
  void Begin(const std::vector<std::string>& columns) override {
    std::vector<std::string> header{"Address"};
    for (const std::string& name : columns) header.push_back(TerminalText(name));
    Keep(std::move(header));
  }
  void Row(uint32_t address, const std::vector<std::string>& texts) override {
    std::vector<std::string> cells{FormatAddress(address)};
    for (const std::string& text : texts) cells.push_back(TerminalText(text));
    Keep(std::move(cells));
  }
  void End() override {
    for (const auto& cells : rows_) {
      std::string line;
      for (size_t i = 0; i < cells.size(); ++i) {
        line += cells[i];
        if (i + 1 < cells.size()) line.append(widths_[i] - DisplayWidth(cells[i]) + 2, ' ');
      }
      // Trailing blanks of empty last cells help nobody.
      line.erase(line.find_last_not_of(' ') + 1);
      out_ << line << '\n';
    }
    out_.flush();
  }

 private:
  void Keep(std::vector<std::string> cells) {
    if (widths_.size() < cells.size()) widths_.resize(cells.size(), 0);
    for (size_t i = 0; i < cells.size(); ++i)
      widths_[i] = std::max(widths_[i], DisplayWidth(cells[i]));
    rows_.push_back(std::move(cells));
  }

  std::ostream& out_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<size_t> widths_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeTableWriter(std::ostream& out) {
  return std::make_unique<TableWriter>(out);
}
