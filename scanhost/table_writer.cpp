// The aligned table: every row is kept until the end, then the columns are
// padded to their widest cell.
#include "scanhost/row_writer.h"
#include "scanhost/target_list.h"
#include "scanhost/text_escaping.h"

#include <algorithm>

namespace {

// The first characters of `cell` that fit in `width` columns, with "..." at
// the end when it was cut; never splits a UTF-8 character.
std::string Fit(const std::string& cell, size_t width) {
  if (width == 0 || DisplayWidth(cell) <= width) return cell;
  const size_t keep = width > 3 ? width - 3 : 0;
  size_t characters = 0;
  size_t at = 0;
  for (; at < cell.size(); ++at) {
    if ((static_cast<unsigned char>(cell[at]) & 0xC0) != 0x80 && characters++ == keep) break;
  }
  return cell.substr(0, at) + std::string("...").substr(0, width - keep);
}

class TableWriter : public RowWriter {
 public:
  TableWriter(std::ostream& out, size_t maxWidth) : out_(out), maxWidth_(maxWidth) {}
  void Begin(const std::vector<std::string>& columns) override {
    std::vector<std::string> header{"Address"};
    for (const std::string& name : columns) header.push_back(Fit(TerminalText(name), maxWidth_));
    Keep(std::move(header));
  }
  void Row(uint32_t address, const std::vector<std::string>& texts) override {
    std::vector<std::string> cells{FormatAddress(address)};
    for (const std::string& text : texts) cells.push_back(Fit(TerminalText(text), maxWidth_));
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
  const size_t maxWidth_;
  std::vector<std::vector<std::string>> rows_;
  std::vector<size_t> widths_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeTableWriter(std::ostream& out, size_t maxWidth) {
  return std::make_unique<TableWriter>(out, maxWidth);
}
