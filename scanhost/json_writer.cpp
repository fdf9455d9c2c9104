// JSON output: an array with one object per address, keyed by column name.
#include "scanhost/row_writer.h"
#include "scanhost/target_list.h"
#include "scanhost/text_escaping.h"

namespace {

class JsonWriter : public RowWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  void Begin(const std::vector<std::string>& columns) override {
    for (const std::string& name : columns) keys_.push_back(JsonString(name));
    out_ << "[";
    out_.flush();
  }
  void Row(uint32_t address, const std::vector<std::string>& texts) override {
    out_ << (first_ ? "\n" : ",\n") << "{\"address\":\"" << FormatAddress(address) << '"';
    for (size_t i = 0; i < texts.size() && i < keys_.size(); ++i)
      out_ << ',' << keys_[i] << ':' << JsonString(texts[i]);
    out_ << '}';
    out_.flush();
    first_ = false;
  }
  void End() override {
    out_ << "\n]\n";
    out_.flush();
  }

 private:
  std::ostream& out_;
  std::vector<std::string> keys_;
  bool first_ = true;
};

}  // namespace

std::unique_ptr<RowWriter> MakeJsonWriter(std::ostream& out) {
  return std::make_unique<JsonWriter>(out);
}

std::unique_ptr<RowWriter> MakeRowWriter(OutputFormat format, std::ostream& out,
                                         size_t maxWidth) {
  switch (format) {
    case OutputFormat::Csv: return MakeCsvWriter(out);
    case OutputFormat::Json: return MakeJsonWriter(out);
    case OutputFormat::Table: break;
  }
  return MakeTableWriter(out, maxWidth);
}
