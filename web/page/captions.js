// Measuring captions for the model.
// The model decides at which size a caption is drawn and where it is cut (vnt_state); the page
// measures for it, synchronously, with its own web fonts, laying text out as the controls do.
// One hidden box outside the scaled window does all the measuring; size containment keeps
// its layout from touching the rest of the page.

import { page, views } from './state.js';
import { render } from './window.js';

const measuring = { box: null, text: null, insets: new Map() };

function measuringBox() {
  if (!measuring.box) {
    const holder = document.createElement('div');
    holder.className = 'caption-measure';
    holder.setAttribute('aria-hidden', 'true');
    holder.style.fontFamily = getComputedStyle(document.getElementById('window')).fontFamily;
    measuring.box = document.createElement('div');
    measuring.text = document.createElement('span');
    measuring.box.append(measuring.text);
    holder.append(measuring.box);
    document.body.append(holder);
  }
  return measuring;
}

// The room `text` needs at `points` as [width, height] in whole CSS pixels: its lines broken
// at blanks and '\n' to fit `width` (a word longer than that sticks out), or on one line. With
// access keys, the marks are not measured, as they are not shown.
export function measureCaption(text, points, bold, width, singleLine, accessKeys) {
  const { box, text: span } = measuringBox();
  box.style.fontSize = points + 'pt';
  box.style.fontWeight = bold ? 'bold' : 'normal';
  box.style.whiteSpace = singleLine ? 'nowrap' : 'pre-wrap';
  box.style.width = singleLine ? 'max-content' : width + 'px';
  span.textContent = accessKeys ? text.replace(/&(&?)/g, (m, second) => second) : text;
  const height = box.getBoundingClientRect().height;
  // Lines broken to `width` are as wide as the box unless a word sticks out of it; what the
  // box would scroll is what the control would cut (blanks hanging at a break are not: they
  // are not drawn). One line is as wide as its text. A fraction of a pixel of rounding is not
  // a pixel more.
  const across = singleLine ? span.getBoundingClientRect().width : box.scrollWidth;
  return [Math.ceil(across - 0.01), Math.ceil(height - 0.01)];
}

// The distance from one line to the next at `points`, in whole CSS pixels.
export function captionLineSpacing(points, bold) {
  const [, one] = measureCaption('X', points, bold, 1000, false, false);
  const [, two] = measureCaption('X\nX', points, bold, 1000, false, false);
  return Math.max(1, two - one);
}

// The room for a caption inside a control's element of `width` x `height` CSS pixels, as
// [width, height] in whole pixels: what its border and padding leave, beside a check box's or
// option's box, and for a frame's title what its indent leaves with as much again on the
// right. Read once per kind of control (and name, for the result box's own style) from an
// element built as create() builds it.
export function captionRoom(kind, name, width, height) {
  const key = kind + ' ' + name;
  let insets = measuring.insets.get(key);
  if (!insets) {
    const probe = document.createElement(kind === 'button' ? 'button'
      : kind === 'checkbox' || kind === 'option' ? 'label' : 'div');
    probe.className = 'control' + (kind === 'frame' ? ' frame' : kind === 'label' ? ' label' : '');
    probe.dataset.control = name;
    probe.style.visibility = 'hidden';
    let inner = null;
    if (kind === 'checkbox' || kind === 'option') {
      inner = document.createElement('input');
      inner.type = kind === 'checkbox' ? 'checkbox' : 'radio';
      probe.append(inner, document.createElement('span'));
    } else if (kind === 'frame') {
      inner = document.createElement('span');
      inner.className = 'caption';
      probe.append(inner);
    }
    document.getElementById('window').append(probe);
    const px = (value) => parseFloat(value) || 0;
    const style = getComputedStyle(probe);
    let across = px(style.borderLeftWidth) + px(style.paddingLeft) + px(style.paddingRight) +
      px(style.borderRightWidth);
    const down = px(style.borderTopWidth) + px(style.paddingTop) + px(style.paddingBottom) +
      px(style.borderBottomWidth);
    if (kind === 'checkbox' || kind === 'option') {
      const box = getComputedStyle(inner);
      across += inner.offsetWidth + px(box.marginLeft) + px(box.marginRight) + px(style.columnGap);
    } else if (kind === 'frame') {
      const title = getComputedStyle(inner);
      across += 2 * px(title.left) + px(title.paddingLeft) + px(title.paddingRight);
    }
    probe.remove();
    insets = [across, down];
    measuring.insets.set(key, insets);
  }
  // A fraction of a pixel of room is no room.
  return [Math.max(0, Math.floor(width - insets[0] + 0.01)), Math.max(0, Math.floor(height - insets[1] + 0.01))];
}

// Once the web fonts are there (and when Ctrl+Plus/Minus changes the pixels text is drawn
// in), every caption is measured again.
let fittedPixelRatio = window.devicePixelRatio || 1;
export async function refitCaptions() {
  await Promise.all(['8pt "VNT Sans Condensed"', 'bold 8pt "VNT Sans Condensed"']
    .map((font) => document.fonts.load(font).catch(() => [])));
  await document.fonts.ready;
  fittedPixelRatio = window.devicePixelRatio || 1;
  page.module._vnt_refit();
  render();
}
// For the layout test: each control's caption as the model gives it and as it is drawn, and
// whether it is on screen.
window.vntCaptions = () => views.map(({ element, state: c }) => ({ name: c.name, index: c.index,
  kind: c.kind, pointSize: c.pointSize, caption: c.caption, shown: c.shown, points: c.points, onScreen: element.offsetParent !== null }));
export function refitOnZoom() {
  if ((window.devicePixelRatio || 1) === fittedPixelRatio) return;
  // Not while a click waits in a message box: the model is in the middle of it.
  if (page.busy) {
    setTimeout(refitOnZoom, 250);
    return;
  }
  fittedPixelRatio = window.devicePixelRatio || 1;
  page.module._vnt_refit();
  render();
}
