// The page's captions as the model fits them, measured in the page (see page_captions.h).

#include "web/page_captions.h"

#include <emscripten.h>

#include <cstdio>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "shell/caption_fit.h"

// The bodies are JavaScript, which clang-format would take apart.
// clang-format off
// The room `text` needs laid out as the page lays out captions, in its own fonts (page/captions.js,
// measureCaption): need[0] wide and need[1] high, in whole CSS pixels.
EM_JS(void, vntMeasureCaption, (const char* text, double points, int bold, int width,
                                int singleLine, int accessKeys, int* need), {
  const size = Module.measureCaption(UTF8ToString(text), points, bold !== 0, width,
                                     singleLine !== 0, accessKeys !== 0);
  HEAP32[need >> 2] = size[0];
  HEAP32[(need >> 2) + 1] = size[1];
});
EM_JS(int, vntCaptionLineSpacing, (double points, int bold), {
  return Module.captionLineSpacing(points, bold !== 0);
});
// The room a caption has inside a control's element of `width` x `height` CSS pixels, what its
// border, padding (and a check box's box) leave: room[0] wide and room[1] high.
EM_JS(void, vntCaptionRoom, (const char* kind, const char* name, double width, double height,
                             int* room), {
  const size = Module.captionRoom(UTF8ToString(kind), UTF8ToString(name), width, height);
  HEAP32[room >> 2] = size[0];
  HEAP32[(room >> 2) + 1] = size[1];
});
// clang-format on

namespace vnt::web {
namespace {

constexpr double kTwipsPerPixel = 15.0;
// The size captions are drawn at where a control names none: the window's (style.css).
constexpr int kDefaultPointSize = 8;
// A frame's title is one line with no limit below it.
constexpr int kTitleRoomHeight = 1 << 10;

// Every text measured, by its text, size, font and place: a chart's captions come back with
// every visit to it, and the page's layout is asked again only for new ones. Cleared when it
// grows large (the cuts of a long ballpark name are many) and when the web fonts arrive.
std::unordered_map<std::string, TextExtent> measured;
std::map<std::pair<double, bool>, int> lineSpacings;
constexpr std::size_t kMeasuredKept = 4096;

// A caption's font in the page (regular or bold), measured there.
class PageTextMeasurer final : public TextMeasurer {
 public:
  explicit PageTextMeasurer(bool bold) : bold_(bold) {}

  TextExtent extent(std::string_view text, double points, const CaptionPlace& place) override {
    const std::string shown(text);
    char how[64];
    std::snprintf(how, sizeof how, "\x1f%g %d %d %d %d", points, bold_ ? 1 : 0, place.width,
                  place.singleLine ? 1 : 0, place.accessKeys ? 1 : 0);
    std::string key = shown + how;
    const auto found = measured.find(key);
    if (found != measured.end()) return found->second;
    int need[2] = {0, 0};
    vntMeasureCaption(shown.c_str(), points, bold_ ? 1 : 0, place.width, place.singleLine ? 1 : 0,
                      place.accessKeys ? 1 : 0, need);
    if (measured.size() >= kMeasuredKept) measured.clear();
    const TextExtent extent{need[0], need[1]};
    measured.emplace(std::move(key), extent);
    return extent;
  }

  int lineSpacing(double points) override {
    const auto key = std::make_pair(points, bold_);
    const auto found = lineSpacings.find(key);
    if (found != lineSpacings.end()) return found->second;
    const int spacing = vntCaptionLineSpacing(points, bold_ ? 1 : 0);
    lineSpacings.emplace(key, spacing);
    return spacing;
  }

 private:
  bool bold_;
};
PageTextMeasurer regularFont(false);
PageTextMeasurer boldFont(true);

std::vector<ShownCaption> captionsShown;

bool hasAccessKeys(ControlKind kind) {
  return kind == ControlKind::Button || kind == ControlKind::CheckBox ||
         kind == ControlKind::Option || kind == ControlKind::Frame;
}

// The place a control's caption is laid out in, inside its element as the page draws it.
CaptionPlace captionPlace(const Control& c, double width, double height) {
  int room[2] = {0, 0};
  vntCaptionRoom(kindName(c.kind), c.name.c_str(), width, height, room);
  const bool title = c.kind == ControlKind::Frame;
  return {room[0], title ? kTitleRoomHeight : room[1], title, hasAccessKeys(c.kind)};
}

// Measures only when the caption, place or font changed, and only what is on screen: a
// control out of sight gets its caption at its own size until it is shown.
}  // namespace

const ShownCaption& shownCaption(const Control& c, std::size_t id, bool onScreen) {
  if (captionsShown.size() <= id) captionsShown.resize(id + 1);
  ShownCaption& shown = captionsShown[id];
  if (shown.valid && (shown.fitted || !onScreen) && shown.source == c.caption &&
      shown.literal == c.literalCaption && shown.width == c.layout.width &&
      shown.height == c.layout.height && shown.font.pointSize == c.font.pointSize &&
      shown.font.bold == c.font.bold) {
    return shown;
  }
  shown.valid = true;
  shown.source = c.caption;
  shown.literal = c.literalCaption;
  shown.width = c.layout.width;
  shown.height = c.layout.height;
  shown.font = c.font;
  const double points = c.font.pointSize > 0 ? c.font.pointSize : kDefaultPointSize;
  TextMeasurer& font = c.font.bold ? static_cast<TextMeasurer&>(boldFont) : regularFont;
  const double width = c.layout.width / kTwipsPerPixel;
  const double height = c.layout.height / kTwipsPerPixel;
  if (c.kind == ControlKind::Label) {
    shown.caption = labelLines(c.caption);
  } else if (hasAccessKeys(c.kind)) {
    // The whole element, on as many lines as it holds.
    const CaptionPlace whole{static_cast<int>(width), static_cast<int>(height), false, false};
    shown.caption = widgetCaption(c, whole, points, font);
  } else {
    shown.caption.clear();
  }
  shown.fitted = onScreen;
  if (!onScreen || shown.caption.empty()) {
    shown.text = shown.caption;
    shown.points = points;
    return shown;
  }
  const FittedCaption fitted =
      fitCaption(shown.caption, points, captionPlace(c, width, height), font);
  shown.text = fitted.text;
  shown.points = fitted.points;
  return shown;
}

void forgetShownCaptions() {
  captionsShown.clear();
}

void forgetMeasurements() {
  measured.clear();
  lineSpacings.clear();
  captionsShown.clear();
}

const char* kindName(ControlKind kind) {
  switch (kind) {
    case ControlKind::Button:
      return "button";
    case ControlKind::CheckBox:
      return "checkbox";
    case ControlKind::Option:
      return "option";
    case ControlKind::Frame:
      return "frame";
    case ControlKind::Label:
      return "label";
    case ControlKind::ListBox:
      return "list";
    case ControlKind::Image:
      return "image";
  }
  return "label";
}

}  // namespace vnt::web
