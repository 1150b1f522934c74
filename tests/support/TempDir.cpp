#include "support/TempDir.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

namespace kelvo::testing {

TempDir::TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "kelvo16s-test-XXXXXX").string();
  path_ = ::mkdtemp(tmpl.data());
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, ec);
  std::filesystem::remove_all(path_, ec);
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
}

}  // namespace kelvo::testing
