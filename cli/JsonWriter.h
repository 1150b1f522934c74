#pragma once
// A small streaming JSON writer: keys in the order written, compact output.

#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace kelvo {

class JsonWriter {
public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  void Key(std::string_view key);
  void String(std::string_view value);
  void Int(long long value);
  void Bool(bool value);
  void Null();

  template <typename Range>
  void Strings(const Range& values) {
    BeginArray();
    for (const auto& v : values) String(v);
    EndArray();
  }

private:
  void Open(char bracket);
  void Close(char bracket);
  void BeforeValue();

  std::ostream& out_;
  std::vector<bool> first_;  // per open container: nothing written yet
  bool afterKey_ = false;
};

std::string JsonQuote(std::string_view text);

}  // namespace kelvo
