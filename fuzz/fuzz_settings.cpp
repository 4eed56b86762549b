// Feeds arbitrary bytes to the settings reader, as the program does with its settings file
// at every start. Besides the sanitizers, it aborts when a value read is out of its range or
// when the settings read, written again, do not read back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "shell/settings.h"
#include "shell/zoom.h"

namespace {

// Window places are kept within reach of a screen, so that adding and scaling them is safe.
constexpr int kReach = 100000;

void checkPlace(const vnt::settings::WindowPlace& place) {
  if (!place.geometry) return;
  const auto& r = *place.geometry;
  if (r.width <= 0 || r.height <= 0) std::abort();
  for (const int value : {r.x, r.y, r.width, r.height}) {
    if (value < -kReach || value > kReach) std::abort();
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const vnt::settings::Settings read = vnt::settings::parse(text);
  if (read.zoom < vnt::zoom::kMinPercent || read.zoom > vnt::zoom::kMaxPercent) std::abort();
  checkPlace(read.odds);
  checkPlace(read.gameLog);
  if (vnt::settings::parse(vnt::settings::format(read)) != read) std::abort();
  return 0;
}
