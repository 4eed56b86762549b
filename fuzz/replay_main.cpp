// Runs the fuzz target over saved inputs, so every build (any compiler, no libFuzzer)
// re-checks the corpus. Arguments are files or directories of files.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

bool replay(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.string().c_str());
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  // Exactly-sized copy: an overread shows up under AddressSanitizer.
  std::vector<std::uint8_t> buffer(bytes.begin(), bytes.end());
  LLVMFuzzerTestOneInput(buffer.data(), buffer.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::size_t replayed = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    std::error_code ec;
    if (std::filesystem::is_directory(arg, ec)) {
      std::vector<std::filesystem::path> files;
      for (std::filesystem::directory_iterator it(arg, ec), end; !ec && it != end;
           it.increment(ec)) {
        if (it->is_regular_file(ec)) files.push_back(it->path());
      }
      if (ec) {
        std::fprintf(stderr, "cannot list %s\n", arg.string().c_str());
        ok = false;
      }
      std::sort(files.begin(), files.end());
      for (const auto& file : files) {
        ok = replay(file) && ok;
        ++replayed;
      }
    } else {
      ok = replay(arg) && ok;
      ++replayed;
    }
  }
  std::printf("replayed %zu inputs\n", replayed);
  // An empty run most likely means a mistyped or moved corpus directory.
  return ok && replayed > 0 ? 0 : 1;
}
