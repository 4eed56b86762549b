// The die box: resolves to the text typed (OK, Enter) or null ("Roll for me", Escape). The
// model reads the text; a refusal comes back here with the box still up and the text kept.


let dieBoxFocus = null;  // what had the focus before the box opened
export function askDie(chart, asked, range, refusal, lower, upper) {
  return new Promise((resolve) => {
    const overlay = document.getElementById('die-overlay');
    const entry = document.getElementById('die-entry');
    const ok = document.getElementById('die-ok');
    const roll = document.getElementById('die-roll');
    const refused = document.getElementById('die-refusal');
    if (overlay.hidden) dieBoxFocus = document.activeElement;
    // A new die (not the same one asked again after a refusal): an empty entry.
    if (refusal === '') {
      entry.value = '';
      const choices = document.getElementById('die-choices');
      const options = [];
      for (let v = lower; v <= upper && options.length < 200; ++v) {
        const o = document.createElement('option');
        o.value = String(v);
        options.push(o);
      }
      choices.replaceChildren(...options);
    }
    document.getElementById('die-chart').textContent = chart;
    document.getElementById('die-asked').textContent = asked;
    entry.placeholder = range;
    entry.setAttribute('aria-label', 'Die rolled, ' + range);
    refused.textContent = refusal;
    refused.hidden = refusal === '';
    const inside = [entry, ok, roll];
    const onKey = (event) => {
      if (event.key === 'Enter' && event.target !== roll) {
        event.preventDefault();
        finish(entry.value);
      } else if (event.key === 'Escape') {
        event.preventDefault();
        finish(null);
      } else if (event.key === 'Tab') {
        event.preventDefault();
        const at = inside.indexOf(document.activeElement);
        const step = event.shiftKey ? -1 : 1;
        inside[(at + step + inside.length) % inside.length].focus();
      }
    };
    const onOk = () => finish(entry.value);
    const onRoll = () => finish(null);
    function finish(answer) {
      document.removeEventListener('keydown', onKey, true);
      ok.removeEventListener('click', onOk);
      roll.removeEventListener('click', onRoll);
      // The box stays up while the model reads the entry: a refusal or the click's next die
      // comes back to it; a message box or the click's end closes it.
      if (answer === null) closeDieBox();
      resolve(answer);
    }
    document.addEventListener('keydown', onKey, true);
    ok.addEventListener('click', onOk);
    roll.addEventListener('click', onRoll);
    overlay.hidden = false;
    entry.focus();
    entry.select();
  });
}
export function closeDieBox() {
  const overlay = document.getElementById('die-overlay');
  if (overlay.hidden) return;
  overlay.hidden = true;
  if (dieBoxFocus && dieBoxFocus.focus) dieBoxFocus.focus();
  dieBoxFocus = null;
}

// The model's message box as an in-page dialog: resolves to 1 for OK/Yes, 0 for No.
// Enter takes the first button, Escape the last; Tab keeps the focus inside.
export function showDialog(text, title, yesNo) {
  closeDieBox();
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
