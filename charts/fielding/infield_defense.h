#pragma once

// The infield-defence boxes and which of them contradict each other.

namespace vnt::infield {

inline constexpr int kBoxCount = 13;

// Box indices, in the panel's order.
enum Box : int {
  kNormal,
  kInfieldIn,
  kCornersIn,
  k3BIn,
  k3BGuardsLine,
  k3BHoldsRunner,
  k1BIn,
  k1BGuardsLine,
  k1BHoldsRunner,
  kSSHoldsRunner,
  kSSIn,
  k2BHoldsRunner,
  k2BIn,
};

// True when the two boxes can never be checked together (symmetric, never a box with itself).
bool conflicts(int a, int b);

}  // namespace vnt::infield
