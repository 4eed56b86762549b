// The infield defence panel keeps its boxes consistent: a box that contradicts a checked
// box is unchecked and disabled. The final states are computed directly after each change.

#include "charts/fielding/infield_defense.h"

#include <array>
#include <initializer_list>

#include "shell/form2.h"

namespace vnt {
namespace infield {
namespace {

struct Row {
  Box box;
  std::initializer_list<int> conflictsWith;
};

// Each box and the boxes it contradicts, as the panel lists them.
const Row kConflicts[kBoxCount] = {
    {kNormal, {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {kInfieldIn, {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}},
    {kCornersIn, {0, 1, 3, 4, 5, 6, 7, 8}},
    {k3BIn, {0, 1, 2, 4, 5}},
    {k3BGuardsLine, {0, 1, 2, 3, 5}},
    {k3BHoldsRunner, {0, 1, 2, 3, 4}},
    {k1BIn, {0, 1, 2, 7, 8}},
    {k1BGuardsLine, {0, 1, 2, 6, 8}},
    {k1BHoldsRunner, {0, 1, 2, 6, 7}},
    {kSSHoldsRunner, {0, 1, 10}},
    {kSSIn, {0, 1, 9}},
    {k2BHoldsRunner, {0, 1, 12}},
    {k2BIn, {0, 1, 11}},
};

}  // namespace

bool conflicts(int a, int b) {
  if (a < 0 || a >= kBoxCount) return false;
  for (const int other : kConflicts[a].conflictsWith) {
    if (other == b) return true;
  }
  return false;
}

}  // namespace infield

void Form2::chkIFDefense_Click(int Index) {
  if (chkIFDefense[Index].value) {
    for (auto& box : chkIFDefense) {
      if (infield::conflicts(Index, box.index)) box.value = false;
    }
  } else if (Index == infield::kNormal) {
    // Leaving the normal alignment starts again from a runner held at first.
    for (auto& box : chkIFDefense) box.value = false;
    chkIFDefense[infield::k1BHoldsRunner].value = true;
    cmdNormIFR.enabled = true;
  }
  // A box is usable exactly when no checked box contradicts it.
  for (auto& box : chkIFDefense) {
    box.enabled = true;
    for (const auto& other : chkIFDefense) {
      if (other.value && infield::conflicts(other.index, box.index)) box.enabled = false;
    }
  }
}

void Form2::cmdNormIFR_Click() {
  setDefenseBox(infield::kNormal, true);
  cmdNormIFR.enabled = false;
}

void Form2::setDefenseBox(int index, bool checked) {
  Control& box = chkIFDefense[index];
  if (box.value == checked) return;
  box.value = checked;
  chkIFDefense_Click(index);
}

void Form2::resetInfieldDefense() {
  for (auto& box : chkIFDefense) {
    box.enabled = true;
    setDefenseBox(box.index, false);
    box.visible = true;
  }
  setDefenseBox(infield::k1BHoldsRunner, true);
}

}  // namespace vnt
