#include "tools/demo_data/dbf_writer.h"

#include <chrono>
#include <stdexcept>

#include "common/cp1252.h"
#include "common/path_text.h"

namespace demo_data {
namespace {

constexpr std::size_t kFlushSize = 1 << 20;

void putLittleEndian(std::string& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) {
    out[at + static_cast<std::size_t>(i)] = static_cast<char>((value >> (8 * i)) & 0xFF);
  }
}

}  // namespace

DbfWriter::DbfWriter(const std::filesystem::path& path, std::vector<FieldSpec> fields,
                     std::uint32_t recordCount)
    : fields_(std::move(fields)), recordCount_(recordCount) {
  if (fields_.empty() || fields_.size() > 254) throw std::runtime_error("invalid field list");
  for (const FieldSpec& f : fields_) {
    if (f.name.empty() || f.name.size() > 10 || f.length == 0) {
      throw std::runtime_error("invalid field " + f.name);
    }
    recordLength_ += f.length;
  }
  if (recordLength_ > 65535) throw std::runtime_error("record too long");

  const std::size_t headerLength = 32 + 32 * fields_.size() + 1;
  std::string header(headerLength, '\0');
  header[0] = 0x03;
  const std::chrono::year_month_day today{
      std::chrono::floor<std::chrono::days>(std::chrono::system_clock::now())};
  header[1] = static_cast<char>((static_cast<int>(today.year()) - 1900) % 100);
  header[2] = static_cast<char>(static_cast<unsigned>(today.month()));
  header[3] = static_cast<char>(static_cast<unsigned>(today.day()));
  putLittleEndian(header, 4, recordCount_, 4);
  putLittleEndian(header, 8, static_cast<std::uint32_t>(headerLength), 2);
  putLittleEndian(header, 10, recordLength_, 2);
  header[29] = 0x03;  // language driver: Windows ANSI (1252)
  std::size_t at = 32;
  for (const FieldSpec& f : fields_) {
    header.replace(at, f.name.size(), f.name);
    header[at + 11] = f.type;
    header[at + 16] = static_cast<char>(f.length);
    header[at + 17] = static_cast<char>(f.decimals);
    at += 32;
  }
  header[at] = 0x0D;

  out_.open(path, std::ios::binary | std::ios::trunc);
  if (!out_) throw std::runtime_error("cannot write " + common::utf8FromPath(path));
  buffer_ = std::move(header);
  record_.assign(recordLength_, ' ');
}

DbfWriter::~DbfWriter() {
  if (!finished_ && out_.is_open()) out_.close();
}

void DbfWriter::add(const std::vector<std::string>& values, bool deleted) {
  if (values.size() != fields_.size()) throw std::runtime_error("wrong number of values");
  if (written_ == recordCount_) throw std::runtime_error("more records than announced");
  record_.assign(recordLength_, ' ');
  record_[0] = deleted ? '*' : ' ';
  std::size_t at = 1;
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    const FieldSpec& f = fields_[i];
    std::string bytes = f.type == 'C' ? common::utf8ToCp1252(values[i]) : values[i];
    if (bytes.size() > f.length) bytes.resize(f.length);
    if (f.type == 'N') {
      record_.replace(at + f.length - bytes.size(), bytes.size(), bytes);
    } else {
      record_.replace(at, bytes.size(), bytes);
    }
    at += f.length;
  }
  buffer_ += record_;
  ++written_;
  if (buffer_.size() >= kFlushSize) {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
  }
}

void DbfWriter::finish() {
  if (finished_) return;
  if (written_ != recordCount_) throw std::runtime_error("fewer records than announced");
  buffer_ += '\x1A';
  out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
  buffer_.clear();
  out_.close();
  if (!out_) throw std::runtime_error("write failed");
  finished_ = true;
}

}  // namespace demo_data
