// Draws the window from the model's state. Each control is a real HTML element marked
// data-control (and data-index for a control array); after a click only the elements whose
// state changed are touched.

import { page, views, TWIPS_PER_PX } from './state.js';
import { click } from './main.js';

// A caption in the access-key notation as the desktop shows it: "&&" is an ampersand, a single
// "&" marks the access key, underlined, and is not shown. (The model doubles every '&' of a
// caption that is data, a ballpark name.)
function captionNodes(caption) {
  const text = caption.replace(/\r\n?/g, '\n');
  const nodes = [];
  let plain = '';
  let keyed = false;
  for (let i = 0; i < text.length; ++i) {
    if (text[i] === '&' && i + 1 < text.length) {
      ++i;
      if (text[i] !== '&' && !keyed) {
        keyed = true;
        nodes.push(plain);
        plain = '';
        const u = document.createElement('u');
        u.textContent = text[i];
        nodes.push(u);
        continue;
      }
    } else if (text[i] === '&') {
      continue;
    }
    plain += text[i];
  }
  nodes.push(plain);
  return nodes.filter((n) => n !== '');
}

const LOGO_SVG = `<svg viewBox="0 0 100 58" role="img" aria-label="VNT logo">
<rect x="0.5" y="0.5" width="99" height="57" rx="6" fill="#2E7D32" stroke="#1E4D2B"/>
<polygon points="29,50 49.9,29.1 29,8.2 8.1,29.1" fill="#B5834F"/>
<polygon points="29,44.2 44.1,29.1 29,14 13.9,29.1" fill="#43A047"/>
<circle cx="29" cy="29.1" r="2.9" fill="#B5834F"/>
<polygon points="29,50 49.9,29.1 29,8.2 8.1,29.1" fill="none" stroke="#fff" stroke-width="1.2"/>
<g font-family="VNT Sans, sans-serif" font-weight="bold" font-size="17" text-anchor="middle">
<text x="75" y="36" fill="#102A14">VNT</text><text x="74" y="35" fill="#fff">VNT</text></g></svg>`;

function place(element, c) {
  element.style.left = c.left / TWIPS_PER_PX + 'px';
  element.style.top = c.top / TWIPS_PER_PX + 'px';
  element.style.width = c.width / TWIPS_PER_PX + 'px';
  element.style.height = c.height / TWIPS_PER_PX + 'px';
}

export function create(c, id, all) {
  let element;
  switch (c.kind) {
    case 'button':
      element = document.createElement('button');
      element.type = 'button';
      break;
    case 'checkbox':
    case 'option': {
      element = document.createElement('label');
      const input = document.createElement('input');
      input.type = c.kind === 'checkbox' ? 'checkbox' : 'radio';
      // No shared name: the model keeps one option of a group selected, and each option is a
      // Tab stop of its own, as on the desktop.
      element.append(input, document.createElement('span'));
      break;
    }
    case 'frame': {
      element = document.createElement('div');
      const holdsOptions = all.some((o) => o.container === id && o.kind === 'option');
      element.setAttribute('role', holdsOptions ? 'radiogroup' : 'group');
      // Named by the model's rule (the caption as written), not by the title as drawn, which
      // may be cut.
      const caption = document.createElement('span');
      caption.className = 'caption';
      caption.setAttribute('aria-hidden', 'true');
      element.append(caption);
      element.classList.add('frame');
      break;
    }
    case 'list':
      element = document.createElement('ul');
      element.setAttribute('role', 'list');
      element.classList.add('list');
      break;
    case 'image':
      element = document.createElement('div');
      element.innerHTML = LOGO_SVG;
      element.classList.add('image');
      break;
    default:
      element = document.createElement('div');
      element.classList.add('label');
      // The result box is a status (the model's accessibility rules): its name is kept and
      // each result is read out politely.
      if (c.status) element.setAttribute('role', 'status');
      if (c.announces) element.setAttribute('aria-live', 'polite');
  }
  if (c.kind === 'list') {
    // The history is announced as it grows: only the added lines.
    element.setAttribute('aria-live', 'polite');
    element.setAttribute('aria-relevant', 'additions');
  }
  element.classList.add('control');
  element.dataset.control = c.name;
  if (c.index >= 0) element.dataset.index = String(c.index);
  if (c.pointSize > 0) element.style.fontSize = c.pointSize + 'pt';
  if (c.bold) element.style.fontWeight = 'bold';
  return element;
}

// Sends the player's clicks on a control's element to the model.
export function listen(element, c, id) {
  if (c.kind !== 'button' && c.kind !== 'checkbox' && c.kind !== 'option') return;
  element.addEventListener('click', (event) => {
    // The model decides what a click changes; the element shows the model's state. A click
    // on a label's text would click its box a second time: stop that one. A click on the box
    // itself (mouse, Space) is left alone, since a cancelled click puts the box back after
    // the page has drawn the model's value.
    if (!(event.target instanceof HTMLInputElement)) event.preventDefault();
    click(id);
  });
}

// The element the page was built with for a control (the window as the program starts on
// the samples, drawn into index.html when the page is built, so it shows before the program
// has loaded), taken over as it is; none when the page has no such element.
function prerendered(root, c) {
  if (!root.dataset.prerendered) return null;
  const found = root.querySelector(`[data-control="${c.name}"]` +
    (c.index >= 0 ? `[data-index="${c.index}"]` : ':not([data-index])'));
  // Its lines come from the model like everything else.
  if (found && c.kind === 'list') found.replaceChildren();
  return found;
}

// Brings one element up to the control's state, touching only what differs.
export function update(view, c) {
  const old = view.state || {};
  const e = view.element;
  if (old.visible !== c.visible) e.hidden = !c.visible;
  // Each chart arranges the shared frames its own way.
  if (old.left !== c.left || old.top !== c.top || old.width !== c.width || old.height !== c.height) {
    place(e, c);
  }
  const focusable = focusTarget(view);
  // The Tab order is the document's (see arrange()); Tab stops at the model's stops only: one
  // option of a group, the others reached by the arrow keys.
  if (focusable && old.stop !== c.stop) focusable.tabIndex = c.stop ? 0 : -1;
  if (old.accessibleName !== c.accessibleName) {
    const key = accessKey(c);
    if (c.kind === 'button' || c.kind === 'list' || c.kind === 'frame' || c.announces) {
      e.setAttribute('aria-label', c.accessibleName);
    } else if (c.kind === 'checkbox' || c.kind === 'option') {
      e.firstChild.setAttribute('aria-label', c.accessibleName);
    }
    if (focusable) {
      if (key) focusable.setAttribute('aria-keyshortcuts', 'Alt+' + key.toUpperCase());
      else focusable.removeAttribute('aria-keyshortcuts');
    }
  }
  // The caption as the model fitted it: at its size, cut where even the smallest did not fit.
  if (old.shown !== c.shown || old.points !== c.points) {
    const drawn = c.kind === 'checkbox' || c.kind === 'option' ? e.lastChild
      : c.kind === 'frame' ? e.firstChild : e;
    if (c.kind === 'label') e.textContent = c.shown;
    else if (c.kind !== 'list' && c.kind !== 'image') drawn.replaceChildren(...captionNodes(c.shown));
    if (c.kind !== 'list' && c.kind !== 'image') drawn.style.fontSize = c.points + 'pt';
  }
  if (old.enabled !== c.enabled) {
    if (c.kind === 'button') e.disabled = !c.enabled;
    if (c.kind === 'checkbox' || c.kind === 'option') {
      e.firstChild.disabled = !c.enabled;
      e.classList.toggle('disabled', !c.enabled);
    }
    if (c.kind === 'frame') e.setAttribute('aria-disabled', String(!c.enabled));
  }
  if ((c.kind === 'checkbox' || c.kind === 'option') && e.firstChild.checked !== c.value) {
    e.firstChild.checked = c.value;
  }
  if (old.backColor !== c.backColor) {
    e.style.backgroundColor = c.backColor === null ? ''
      : '#' + c.backColor.toString(16).padStart(6, '0');
  }
  if (c.kind === 'list' && JSON.stringify(old.items) !== JSON.stringify(c.items)) {
    // The model's rule: lines go from the top, the new ones come at the bottom.
    for (let i = 0; i < c.dropped && e.firstChild; ++i) e.firstChild.remove();
    e.append(...c.items.slice(c.firstNew).map((line) => {
      const li = document.createElement('li');
      li.textContent = line;
      return li;
    }));
  }
  view.state = c;
}

// The element that takes the keyboard focus for a control: the button, or the box of a
// check box or option button.
export function focusTarget(view) {
  const e = view.element;
  if (e instanceof HTMLButtonElement) return e;
  if (e.firstChild instanceof HTMLInputElement) return e.firstChild;
  return null;
}

// The access key a caption marks with a single '&', lower-case, or ''.
export function accessKey(c) {
  if (c.literal || c.kind === 'label' || c.kind === 'list') return '';
  const m = /(?:^|[^&])(?:&&)*&([^&])/.exec(c.caption);
  return m ? m[1].toLowerCase() : '';
}

// The control a view belongs to, by its id in the model's list.
export function idOfElement(element) {
  const holder = element && element.closest && element.closest('[data-control]');
  if (!holder) return -1;
  return views.findIndex((v) => v && v.element === holder);
}

export function reachable(id) {
  for (let at = id; at >= 0; at = views[at].state.container) {
    const c = views[at].state;
    if (!c.visible || !c.enabled) return false;
  }
  return true;
}

function readState() {
  return JSON.parse(page.module.UTF8ToString(page.module._vnt_state()));
}

// Puts each container's controls in the model's tree order, so that the document's order is the
// Tab order (the positions stay the layout's). A chart arranges the shared frames its own way:
// only the elements out of place move, and the focus stays where it was.
function arrange(containers) {
  const focused = document.activeElement;
  for (const container of containers) {
    const inside = views.filter((v) => v && v.element.parentNode === container)
      .sort((a, b) => a.state.order - b.state.order).map((v) => v.element);
    let at = inside.length ? container.firstChild : null;
    while (at && !inside.includes(at)) at = at.nextSibling;  // a frame's title comes first
    for (const element of inside) {
      if (element === at) at = at.nextSibling;
      else container.insertBefore(element, at);
    }
  }
  if (focused && focused !== document.activeElement && focused.focus) focused.focus();
}

// Draws what the model changed since the last time: after a start every control comes, frames
// before their contents, so a container's element is made before what it holds.
export function render() {
  const state = readState();
  if (document.title !== state.title) {
    document.title = state.title;
    const heading = document.getElementById('page-title');
    if (heading) heading.textContent = state.title;
  }
  const root = document.getElementById('window');
  const containers = new Set();  // those whose controls' order changed
  for (const c of state.controls) {
    if (!views[c.id]) {
      let element = prerendered(root, c);
      if (!element) {
        element = create(c, c.id, state.controls);
        (c.container >= 0 ? views[c.container].element : root).append(element);
      }
      listen(element, c, c.id);
      views[c.id] = { element, state: null };
    }
    const moved = views[c.id].state?.order !== c.order;
    update(views[c.id], c);
    if (moved) containers.add(c.container >= 0 ? views[c.container].element : root);
  }
  if (containers.size) arrange(containers);
}
