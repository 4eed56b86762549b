// Feeds arbitrary bytes to the scenario player: each line to its tokenizer, then the whole
// as a scenario file, played against the model as `vnt-scenario` plays one. Besides the
// sanitizers, it aborts when a line's tokens, written again, read differently, when playing
// throws anything but a failure it reports, or when it leaves the working directory moved.
//
// The file is played from a folder laid out like tests/scenarios/<chart>/, so that the
// `copy ../../fixtures/...` and `copy ../../../seasons` lines of the seeds find the real
// season files. A `copy` of any other folder outside the scenario's own is not played: it
// would copy whatever the machine holds there.
#include <stdlib.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "tools/vnt_scenario/scenario.h"

namespace {

namespace fs = std::filesystem;
namespace scenario = vnt::scenario;

// The tokens of a line, or none for a line the tokenizer refuses.
std::optional<std::vector<scenario::Token>> tokens(const std::string& line) {
  try {
    return scenario::tokenize(line);
  } catch (const scenario::Failure&) {
    return std::nullopt;
  }
}

bool sameTokens(const std::vector<scenario::Token>& a, const std::vector<scenario::Token>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (a[i].text != b[i].text || a[i].quoted != b[i].quoted) return false;
  }
  return true;
}

// Whether a `copy` line stays within what the fuzzing folder holds.
bool safeCopy(const std::vector<scenario::Token>& t) {
  if (t.size() < 2 || t[0].quoted || t[0].text != "copy") return true;
  const std::string& from = t[1].text;
  for (const char* known :
       {"../../fixtures/season_2015", "../../fixtures/weather_2015", "../../fixtures/deep_2015",
        "../../fixtures/bpe_2015", "../../../seasons"}) {
    if (from == known) return true;
  }
  return from.find('/') == std::string::npos && from != "..";
}

// <temporary>/seasons and <temporary>/t/fixtures lead to the real ones; scenarios are played
// from <temporary>/t/chart/fuzz.scn. The folder goes when the run ends.
class Layout {
 public:
  Layout() {
    std::string pattern = (fs::temp_directory_path() / "vnt-fuzz-scenario-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    root_ = pattern;
    const fs::path source = VNT_SOURCE_DIR;
    fs::create_directories(root_ / "t" / "chart");
    fs::create_directory_symlink(source / "seasons", root_ / "seasons");
    fs::create_directory_symlink(source / "tests" / "fixtures", root_ / "t" / "fixtures");
  }
  ~Layout() {
    std::error_code ignored;
    fs::remove_all(root_, ignored);  // the links, not what they lead to
  }
  Layout(const Layout&) = delete;
  Layout& operator=(const Layout&) = delete;
  fs::path scenarioFile() const { return root_ / "t" / "chart" / "fuzz.scn"; }

 private:
  fs::path root_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  bool playable = true;
  for (std::size_t at = 0; at <= input.size();) {
    const std::size_t end = std::min(input.find('\n', at), input.size());
    const std::string line(input.substr(at, end - at));
    at = end + 1;
    const auto read = tokens(line);
    if (!read) continue;
    std::string again;
    for (const scenario::Token& token : *read) {
      again +=
          (again.empty() ? "" : " ") + (token.quoted ? scenario::quote(token.text) : token.text);
    }
    const auto readAgain = tokens(again);
    if (!readAgain || !sameTokens(*read, *readAgain)) std::abort();
    playable = playable && safeCopy(*read);
  }
  if (!playable) return 0;

  static const Layout layout;
  const fs::path path = layout.scenarioFile();
  {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(input.data(), static_cast<std::streamsize>(input.size()));
    if (!out) std::abort();
  }
  const fs::path before = fs::current_path();
  const scenario::Outcome outcome = scenario::play(path.string());
  if (fs::current_path() != before) std::abort();
  // A failure names the file and the line.
  if (!outcome.passed && !outcome.failure.starts_with(path.string() + ":")) std::abort();
  return 0;
}
