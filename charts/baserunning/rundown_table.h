#pragma once

#include <string_view>

// The rundown and the collision at the bag.
namespace vnt::rundown {

// First rundown roll (1..10) against the runner's speed (0..10): out when it is higher,
// otherwise he stays in the rundown and other runners may advance. Its words open the
// explanation: "Runner is out" or "Runner stays in rundown".
bool outOnFirstRoll(int speed, int roll);
std::string_view firstRollWord(bool out);
// Second rundown roll (0..99), when no other runner is sent: safe when it does not exceed
// the speed. "Runner is safe" or "Runner is out".
bool safeOnSecondRoll(int speed, int roll);
std::string_view secondRollWord(bool safe);

// Range ratings of the collision, by option index: 0 "SP" (best) to 6 "WK".
inline constexpr int kRangeCount = 7;

// The collision roll (1..20) for range index 0 ("SP") to 6 ("WK"): "Safe" or "Out".
std::string_view collision(int range, int roll);
std::string_view collisionWord(bool safe);
// The lowest collision roll that is "Out" for the range index.
int collisionSafeBelow(int range);

}  // namespace vnt::rundown
