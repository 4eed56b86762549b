#pragma once

// Season files made up for the season-file tests.

#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace vnt::season_test {

// Holds a copy of the bytes in a heap block of exactly their size, so that a read one past
// the end is caught by AddressSanitizer (a std::string keeps a NUL there).
class ExactBuffer {
 public:
  explicit ExactBuffer(std::string_view bytes)
      : size_(bytes.size()), data_(std::make_unique<char[]>(bytes.size())) {
    std::copy(bytes.begin(), bytes.end(), data_.get());
  }
  std::string_view view() const { return {data_.get(), size_}; }

 private:
  std::size_t size_;
  std::unique_ptr<char[]> data_;
};

struct DeepRecord {
  std::string name;
  std::array<int, 16> values;
};

// A Deep file laid out as the files in circulation are: the count, one record a line.
inline std::string deepFile(const std::vector<DeepRecord>& records, int check) {
  std::string out = std::to_string(records.size()) + "\r\n";
  for (const auto& record : records) {
    out += "\"" + record.name + "\"";
    for (int v : record.values) out += "," + std::to_string(v);
    out += "\r\n";
  }
  return out + std::to_string(check) + "\r\n";
}

inline std::array<int, 16> filled(int value) {
  std::array<int, 16> values{};
  values.fill(value);
  return values;
}


}  // namespace vnt::season_test
