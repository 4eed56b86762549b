#include "charts/environment/crazy_play_table.h"

namespace vnt::crazy {

std::string_view crazyPlay(const std::vector<CrazyPlay>& records, int roll) {
  // Every record is read: the file need not be in threshold order.
  std::string_view play;
  for (const CrazyPlay& record : records) {
    if (roll >= record.threshold) play = record.description;
  }
  return play;
}

}  // namespace vnt::crazy
