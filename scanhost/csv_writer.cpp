// CSV output: a header line, then one record per address, CRLF-terminated.
#include "scanhost/row_writer.h"
#include "scanhost/target_list.h"
#include "scanhost/text_escaping.h"

namespace {

class CsvWriter : public RowWriter {
 public:
  explicit CsvWriter(std::ostream& out) : out_(out) {}
  void Begin(const std::vector<std::string>& columns) override {
    out_ << "address";
    for (const std::string& name : columns) out_ << ',' << CsvField(name);
    out_ << "\r\n";
    out_.flush();
  }
  void Row(uint32_t address, const std::vector<std::string>& texts) override {
    out_ << FormatAddress(address);
    for (const std::string& text : texts) out_ << ',' << CsvField(text);
    out_ << "\r\n";
    out_.flush();
  }
  void End() override { out_.flush(); }

 private:
  std::ostream& out_;
};

}  // namespace

std::unique_ptr<RowWriter> MakeCsvWriter(std::ostream& out) {
  return std::make_unique<CsvWriter>(out);
}
