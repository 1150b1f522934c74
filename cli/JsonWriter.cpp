#include "cli/JsonWriter.h"

#include <cstdio>

namespace kelvo {

std::string JsonQuote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buffer[8];
          std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned char>(c));
          out += buffer;
        } else {
          out += c;
        }
    }
  }
  return out + "\"";
}

void JsonWriter::BeforeValue() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (!first_.empty()) {
    if (!first_.back()) out_ << ',';
    first_.back() = false;
  }
}

void JsonWriter::Open(char bracket) {
  BeforeValue();
  out_ << bracket;
  first_.push_back(true);
}

void JsonWriter::Close(char bracket) {
  first_.pop_back();
  out_ << bracket;
  if (first_.empty()) out_ << '\n';
}

void JsonWriter::Key(std::string_view key) {
  BeforeValue();
  out_ << JsonQuote(key) << ':';
  afterKey_ = true;
}

void JsonWriter::String(std::string_view value) {
  BeforeValue();
  out_ << JsonQuote(value);
}

void JsonWriter::Int(long long value) {
  BeforeValue();
  out_ << value;
}

void JsonWriter::Null() {
  BeforeValue();
  out_ << "null";
}

void JsonWriter::Bool(bool value) {
  BeforeValue();
  out_ << (value ? "true" : "false");
}

}  // namespace kelvo
