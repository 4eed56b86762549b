// Draws the window from the model's state and sends the player's clicks to it. Each control
// is a real HTML element marked data-control (and data-index for a control array); after a
// click only the elements whose state changed are touched.
'use strict';

const TWIPS_PER_PX = 15;
let module = null;
let busy = false;          // a click is running (it may be waiting in a message box)
const views = [];          // per control: {element, state}

// A caption shown as the desktop shows it: "&&" is an ampersand, a single "&" marks the
// access key and is not shown. Data captions (ballpark names) are shown as written.
function shownCaption(control) {
  const text = control.caption.replace(/\r\n?/g, '\n');
  if (control.literal) return text;
  return text.replace(/&(&?)/g, (m, second) => second);
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

function create(c, id, all) {
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
      if (c.kind === 'option') input.name = 'group' + c.container;
      element.append(input, document.createElement('span'));
      break;
    }
    case 'frame': {
      element = document.createElement('div');
      const holdsOptions = all.some((o) => o.container === id && o.kind === 'option');
      element.setAttribute('role', holdsOptions ? 'radiogroup' : 'group');
      const caption = document.createElement('span');
      caption.className = 'caption';
      caption.id = 'frame-caption-' + id;
      element.setAttribute('aria-labelledby', caption.id);
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
      if (c.name === 'Text1' || c.name === 'Label1') element.setAttribute('aria-live', 'polite');
  }
  element.classList.add('control');
  element.dataset.control = c.name;
  if (c.index >= 0) element.dataset.index = String(c.index);
  if (c.pointSize > 0) element.style.fontSize = c.pointSize + 'pt';
  if (c.bold) element.style.fontWeight = 'bold';
  place(element, c);
  if (c.kind === 'button' || c.kind === 'checkbox' || c.kind === 'option') {
    element.addEventListener('click', (event) => {
      // The model decides what a click changes; the element shows the model's state.
      event.preventDefault();
      click(id);
    });
  }
  return element;
}

// Brings one element up to the control's state, touching only what differs.
function update(view, c) {
  const old = view.state || {};
  const e = view.element;
  if (old.visible !== c.visible) e.hidden = !c.visible;
  if (old.caption !== c.caption || old.literal !== c.literal) {
    const text = shownCaption(c);
    if (c.kind === 'checkbox' || c.kind === 'option') e.lastChild.textContent = text;
    else if (c.kind === 'frame') e.firstChild.textContent = text;
    else if (c.kind === 'button' || c.kind === 'label') e.textContent = text;
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
    e.replaceChildren(...c.items.map((line) => {
      const li = document.createElement('li');
      li.textContent = line;
      return li;
    }));
  }
  view.state = c;
}

function readState() {
  return JSON.parse(module.UTF8ToString(module._vnt_state()));
}

function render() {
  const state = readState();
  document.title = state.title;
  const root = document.getElementById('window');
  state.controls.forEach((c, id) => {
    if (!views[id]) {
      const element = create(c, id, state.controls);
      // Frames come before their contents, so a container's element already exists.
      (c.container >= 0 ? views[c.container].element : root).append(element);
      views[id] = { element, state: null };
    }
    update(views[id], c);
  });
}

async function click(id) {
  if (busy) return;
  busy = true;
  document.body.dataset.busy = 'true';
  try {
    await module.ccall('vnt_click', 'number', ['number'], [id], { async: true });
  } finally {
    busy = false;
    render();
    delete document.body.dataset.busy;
  }
}

// The model's message box as an in-page dialog: resolves to 1 for OK/Yes, 0 for No.
// Enter takes the first button, Escape the last; Tab keeps the focus inside.
function showDialog(text, title, yesNo) {
  return new Promise((resolve) => {
    const overlay = document.getElementById('overlay');
    const dialog = document.getElementById('dialog');
    const buttons = document.getElementById('dialog-buttons');
    const before = document.activeElement;
    dialog.setAttribute('role', yesNo ? 'alertdialog' : 'dialog');
    document.getElementById('dialog-title').textContent = title;
    document.getElementById('dialog-text').textContent = text;
    const choices = yesNo ? [['Yes', 1], ['No', 0]] : [['OK', 1]];
    const made = choices.map(([caption, answer]) => {
      const b = document.createElement('button');
      b.type = 'button';
      b.textContent = caption;
      b.dataset.answer = caption;
      b.addEventListener('click', () => finish(answer));
      return b;
    });
    buttons.replaceChildren(...made);
    const onKey = (event) => {
      if (event.key === 'Enter' && !(document.activeElement instanceof HTMLButtonElement)) {
        event.preventDefault();
        finish(choices[0][1]);
      } else if (event.key === 'Escape') {
        event.preventDefault();
        finish(choices[choices.length - 1][1]);
      } else if (event.key === 'Tab') {
        event.preventDefault();
        const at = made.indexOf(document.activeElement);
        const step = event.shiftKey ? -1 : 1;
        made[(at + step + made.length) % made.length].focus();
      }
    };
    function finish(answer) {
      document.removeEventListener('keydown', onKey, true);
      overlay.hidden = true;
      if (before && before.focus) before.focus();
      resolve(answer);
    }
    document.addEventListener('keydown', onKey, true);
    overlay.hidden = false;
    made[0].focus();
  });
}

(async () => {
  module = await createVntAssistant({ showDialog });
  module.FS.chdir('/seasons');
  module._vnt_start();
  render();
  await document.fonts.ready;
  window.vntQueueRolls = (...values) => values.forEach((v) => module._vnt_queue_roll(v));
  document.body.dataset.ready = 'true';
})();
