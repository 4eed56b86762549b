#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace vnt::seasons {

// A mistake in a source table, reported with the file and line it was found on.
class SourceError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

inline constexpr int kMonths = 7;  // April .. October

// One month of a climate profile, as percentages; each group adds up to 100.
struct ClimateMonth {
  std::array<int, 4> day{};    // Hot, Warm, Cool, Cold
  std::array<int, 4> night{};  // Hot, Warm, Cool, Cold
  std::array<int, 7> sky{};    // Clear, P/C, Overcast, Wet Field, Rain, T-Storms, Snow
  std::array<int, 5> wind{};   // In, None, Cross L-R, Cross R-L, Out
};

struct Climate {
  std::string name;
  std::array<ClimateMonth, kMonths> months{};
};

enum class Roof { Open = 0, Retractable = 1, Dome = 2 };

// The seven field locations run LFL, LF, LCF, CF, RCF, RF, RFL.
struct Park {
  std::string name;
  std::array<int, 7> walls{};    // distance steps
  std::array<int, 7> heights{};  // feet
  int foul = 0;                  // 1 (little foul ground) .. 5 (a lot)
  std::array<int, 8> bpe{};      // right-handed t1..t4, left-handed t5..t8
  std::string climate;
  Roof roof = Roof::Open;
};

struct Season {
  int year = 0;
  std::vector<Park> parks;
};

struct CrazyPlay {
  int width = 0;  // out of 1000
  int firstYear = 0;
  int lastYear = 0;
  std::string text;
};

struct Sources {
  std::map<std::string, Climate> climates;
  std::vector<CrazyPlay> plays;
  std::vector<Season> seasons;  // by year
};

// Reads SOURCE_DIR/climates.txt, SOURCE_DIR/crazy_plays.txt and every
// SOURCE_DIR/seasons/<year>.txt, checking every value. Throws SourceError.
Sources loadSources(const std::filesystem::path& sourceDir);

}  // namespace vnt::seasons
