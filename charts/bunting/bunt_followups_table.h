#pragma once

#include <string_view>

// The rolls that settle the bunt outcomes that ask a question.
namespace vnt::bunt {

// "Beat Out?": the batter's roll (1..10) against his speed: "Infield Single" when he beats
// it out, "Out at First" when not.
bool beatsItOut(int speed, int roll);
std::string_view beatOutWord(bool beatsItOut);

// "Lead Out?": the lead runner's speed after the fielder (4 less when the fielder is close
// in; no lower bound).
inline constexpr int kCloseInSpeedPenalty = 4;
int leadRunnerSpeed(int speed, bool fielderCloseIn);
// The roll (1..10) against the adjusted speed: "All Safe!" when the lead runner is safe,
// "Lead Out" when not.
bool leadRunnerSafe(int adjustedSpeed, int roll);
std::string_view leadRunnerWord(bool safe);

// "Strikeout?": the outcomes in the order the chart's columns read them.
enum class Strikeout { K, Miss, SH };
// The pitcher's strikeouts per nine innings, by option: 0 "> 9.9" to 4 "< 4.0".
inline constexpr int kK9Groups = 5;
// Reads the roll (0..99) for the group (anything outside is taken as the nearest group).
Strikeout strikeout(int k9Group, int roll);
std::string_view strikeoutWord(Strikeout outcome);

// "Error?": the roll (1..20) against the error rating as adjusted for the cold. True: the
// throw gets the lead runner ("Lead Runner"); otherwise it is an error ("Error"). The roll
// must stay below the rating.
inline constexpr int kColdPenalty = 6;
bool throwGetsLeadRunner(int adjustedErrorRating, int roll);
std::string_view throwWord(bool getsLeadRunner);

}  // namespace vnt::bunt
