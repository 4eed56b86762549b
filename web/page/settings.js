// What the page remembers between visits, kept in the browser as the desktop's settings text
// (the model reads and writes it): "Roll my own dice", the zoom, and whether the Odds and
// Game Log panels are open. A text the model cannot read leaves each setting at its default.

import { page, views, TWIPS_PER_PX } from './state.js';

const SETTINGS_KEY = 'vnt-assistant.settings';
// Where the page kept "Roll my own dice" before it kept the settings text.
const OLD_OWN_DICE_KEY = 'vnt-assistant.ownDice';

// Calls `work` with `text` on the heap: a foreign value can be more than the stack holds.
export function withText(text, work) {
  const size = page.module.lengthBytesUTF8(text) + 1;
  const at = page.module._malloc(size);
  if (!at) return work(0);
  page.module.stringToUTF8(text, at, size);
  try { return work(at); } finally { page.module._free(at); }
}
export function readSettings() {
  let text = null;
  let oldOwnDice = null;
  try {
    text = localStorage.getItem(SETTINGS_KEY);
    oldOwnDice = localStorage.getItem(OLD_OWN_DICE_KEY);
  } catch (e) { /* storage not allowed here: the defaults */ }
  page.settings = JSON.parse(page.module.UTF8ToString(
    withText(typeof text === 'string' ? text : '', (at) => page.module._vnt_settings_parse(at))));
  if (oldOwnDice !== null) {
    // The settings text, when there is one, is newer than the old key.
    if (text === null) page.settings.ownDice = oldOwnDice === 'on';
    if (keepSettings()) {
      try { localStorage.removeItem(OLD_OWN_DICE_KEY); } catch (e) { /* kept both */ }
    }
  }
}
// Keeps the settings; false when the browser would not.
export function keepSettings() {
  const text = page.module.UTF8ToString(page.module._vnt_settings_format(page.settings.ownDice ? 1 : 0,
    page.settings.zoom, page.settings.odds ? 1 : 0, page.settings.gameLog ? 1 : 0));
  try {
    localStorage.setItem(SETTINGS_KEY, text);
    return true;
  } catch (e) {
    return false;
  }
}
export function setOwnDice(on) {
  page.module._vnt_set_own_dice(on ? 1 : 0);
  page.settings.ownDice = on;
  keepSettings();
}

// The scale the window is drawn at: the zoom the player picked (Ctrl+Plus/=, Ctrl+Minus,
// Ctrl+0 or the zoom buttons, through the model's steps), at most as large as fits the
// browser's area, so the window is never cut off. Until the player picks one, the page keeps
// the largest zoom: the window fills the area. On a touch screen at least the scale that makes
// the smallest control a 32 px tap target (the page then scrolls). The browser's own zoom (its
// menu, Ctrl+wheel) changes devicePixelRatio: the drawing scales with it, as the player asked
// of the browser. Pinch zoom works on the drawn page as on any other.
const firstPixelRatio = window.devicePixelRatio || 1;
const TAP_TARGET = 32;
export function scaleAt(percent) {
  const app = document.getElementById('app');
  let scale = page.module._vnt_zoom_fitted_scale(percent, app.offsetWidth, app.offsetHeight,
    document.documentElement.clientWidth, window.innerHeight);
  const touch = navigator.maxTouchPoints > 0 || matchMedia('(pointer: coarse)').matches;
  if (touch) {
    const smallest = Math.min(...views.filter((v) => ['button', 'checkbox', 'option'].includes(v.state.kind))
      .map((v) => v.state.height / TWIPS_PER_PX));
    if (smallest > 0 && smallest < Infinity) scale = Math.max(scale, TAP_TARGET / smallest);
  }
  return scale;
}
// The zoom as drawn, in whole percent: what the zoom keys step from.
const drawnPercent = () => Math.round(scaleAt(page.settings.zoom) * 100);
export function fitWindow() {
  const app = document.getElementById('app');
  const scaler = document.getElementById('scaler');
  const width = app.offsetWidth;
  const height = app.offsetHeight;
  if (!width || !height || !page.settings) return;
  const drawn = scaleAt(page.settings.zoom);
  const scale = drawn * (window.devicePixelRatio || 1) / firstPixelRatio;
  app.style.transform = `scale(${scale})`;
  scaler.style.width = Math.floor(width * scale) + 'px';
  scaler.style.height = Math.floor(height * scale) + 'px';
  document.body.dataset.scale = String(scale);
  document.body.dataset.zoom = String(page.settings.zoom);
  const percent = Math.round(drawn * 100);
  const shown = document.getElementById('zoom-reset');
  shown.textContent = percent + '\u00a0%';
  shown.setAttribute('aria-label', `Zoom ${percent} %, back to ${page.module._vnt_zoom_default()} %`);
  const focused = document.activeElement;
  document.getElementById('zoom-in').disabled = !zoomChanges(true);
  document.getElementById('zoom-out').disabled = !zoomChanges(false);
  // A zoom button pressed to the end of its way keeps the focus in the group.
  if (focused && focused.disabled && focused.parentElement === shown.parentElement) shown.focus();
}
// The zoom one step larger or smaller than drawn, or null when the drawing could not follow
// (no room for larger, the end of the range, the touch screen's minimum): then nothing changes.
export function zoomStep(larger) {
  const percent = drawnPercent();
  const next = larger ? page.module._vnt_zoom_larger(percent) : page.module._vnt_zoom_smaller(percent);
  const now = scaleAt(page.settings.zoom);
  const then = scaleAt(next);
  return (larger ? then > now + 1e-6 : then < now - 1e-6) ? next : null;
}
const zoomChanges = (larger) => zoomStep(larger) !== null;
export function zoomTo(percent) {
  if (percent === null) return;
  page.settings.zoom = page.module._vnt_zoom_clamp(percent);
  keepSettings();
  fitWindow();
}
// Ctrl+Plus (or Ctrl+=), Ctrl+Minus and Ctrl+0, as on the desktop; true when it was one.
export function zoomKey(event) {
  if (!(event.ctrlKey || event.metaKey) || event.altKey) return false;
  if (event.key === '+' || event.key === '=') zoomTo(zoomStep(true));
  else if (event.key === '-') zoomTo(zoomStep(false));
  else if (event.key === '0') zoomTo(page.module._vnt_zoom_default());
  else return false;
  event.preventDefault();
  return true;
}
