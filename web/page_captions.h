#pragma once

// The page's captions: the model decides at which size a caption is drawn and where it is
// cut; the page measures text for it in its own fonts (page/captions.js).

#include <cstddef>
#include <string>

#include "shell/control.h"

namespace vnt::web {

// A control's kind as the page names it.
const char* kindName(ControlKind kind);

// A control's caption as its element shows it, kept until its caption, place or font changes.
struct ShownCaption {
  bool valid = false;
  // False when worked out off screen, where nothing is measured and nothing cut.
  bool fitted = false;
  // What it was worked out for.
  std::string source;
  bool literal = false;
  int width = 0;
  int height = 0;
  Font font;
  // The caption as the element is given it (the desktop's widget text): in the access-key
  // notation for the controls that have access keys, its '&' doubled when it is data, and cut
  // to what the element could ever show. What a screen reader is told goes by this one.
  std::string caption;
  // As drawn: at `points`, ended with "…" where even the smallest size did not fit.
  std::string text;
  double points = 0;
};

// The caption of control number `id` as its element shows it, worked out (and measured) only
// when its caption, place or font changed, and only on screen: a control out of sight gets
// its caption at its own size until it is shown.
const ShownCaption& shownCaption(const Control& c, std::size_t id, bool onScreen);

// A new model: no control's caption is known.
void forgetShownCaptions();
// The page's fonts arrived or its pixels changed: every text is measured again.
void forgetMeasurements();

}  // namespace vnt::web
