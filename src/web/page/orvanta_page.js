// The page's half of Orvanta's browser toolkit: plain DOM calls that make
// the windows' elements, read and change them, and queue what the user does.
// The program (orvanta.js and its WebAssembly) calls these functions; it
// takes the queued events one at a time and runs every handler itself, so
// no listener here ever calls into the program.
'use strict';

const orvantaPage = (() => {
  // ControlKind and the page's events, numbered as in the program's C++.
  const Kind = { Frame: 0, Label: 1, LinkLabel: 2, TextBox: 3, ResultBox: 4, EditCombo: 5, ListCombo: 6,
                 CheckBox: 7, PushButton: 8, Picture: 9 };
  const Ev = { Click: 0, Input: 1, Focus: 2, Enter: 3, Close: 4, BoxClosed: 5 };
  const Flag = { Default: 1, StartsDisabled: 2, HandCursor: 4 };
  const Icon = ['information', 'warning', 'error'];
  const NONE = -1;

  const queue = [];
  let wake = null;
  function post(window, control, kind) {
    queue.push([window, control, kind]);
    if (wake) { const w = wake; wake = null; w(); }
  }
  async function nextEvent() {
    while (queue.length === 0) await new Promise((resolve) => { wake = resolve; });
    return queue.shift();
  }
  function takeEvent() { return queue.length ? queue.shift() : null; }
  // Whether the program has handled everything and waits for the user.
  function idle() { return wake !== null && queue.length === 0; }

  const windows = new Map();
  let lastWindow = 0;
  const desktop = () => document.getElementById('desktop');

  function element(tag, className, text) {
    const e = document.createElement(tag);
    if (className) e.className = className;
    if (text !== undefined) e.textContent = text;
    return e;
  }

  // A caption's "&" marks its access key: the letter after it is underlined
  // and Alt with it presses the control; "&&" is a plain "&".
  function captionInto(target, caption) {
    const at = caption.search(/&[^&]/);
    if (at < 0) { target.textContent = caption.replace(/&&/g, '&'); return null; }
    const key = caption[at + 1];
    target.replaceChildren(caption.slice(0, at).replace(/&&/g, '&'), element('u', '', key),
                           caption.slice(at + 2).replace(/&&/g, '&'));
    return key.toLowerCase();
  }


  // The window frame: a title bar with the icon, the caption and the close
  // box, over the client area in which the controls stand.
  function frameWindow(id, root, caption, width, height) {
    const bar = element('div', 'titlebar');
    const icon = element('img', 'window-icon');
    icon.alt = '';
    icon.hidden = true;
    const title = element('span', 'caption', caption);
    title.id = `orvanta-window-${id}-caption`;
    // The close box takes no focus, as a title bar's buttons take none.
    const close = element('span', 'close-box');
    close.setAttribute('role', 'button');
    close.setAttribute('aria-label', '关闭');
    close.addEventListener('click', () => post(id, NONE, Ev.Close));
    bar.append(icon, title, close);
    const client = element('div', 'client');
    client.style.width = `${width}px`;
    client.style.height = `${height}px`;
    root.setAttribute('aria-labelledby', title.id);
    root.append(bar, client);
    keepFocusOnClick(root);
    return { root, client, icon };
  }

  function createWindow(caption, width, height, modal) {
    const id = ++lastWindow;
    const root = element(modal ? 'dialog' : 'section', 'window');
    root.dataset.window = id;
    const w = frameWindow(id, root, caption, width, height);
    w.controls = [];
    w.modal = modal;
    if (modal) {
      // Esc does nothing in a window without a cancel button, as on Windows.
      root.addEventListener('cancel', (e) => e.preventDefault());
    } else {
      root.hidden = true;
    }
    listen(id, w);
    windows.set(id, w);
    desktop().append(root);
    return id;
  }

  function controlOf(w, target) {
    const e = target && target.closest ? target.closest('[data-control]') : null;
    return e && w.client.contains(e) ? Number(e.dataset.control) : NONE;
  }

  // Clicking where no control takes the focus (the title bar, the close
  // box, a label, the window's face, a window that a modal one covers)
  // leaves it where it is, as in a window.
  function keepFocusOnClick(root) {
    root.addEventListener('mousedown', (e) => {
      if (!e.target.closest('.client input, .client textarea, .client select, .client button, .client label')) {
        e.preventDefault();
      }
    });
  }

  function listen(id, w) {
    const client = w.client;
    client.addEventListener('focusin', () => post(id, NONE, Ev.Focus));
    client.addEventListener('input', (e) => {
      if (!e.isComposing) post(id, controlOf(w, e.target), Ev.Input);
    });
    client.addEventListener('compositionend', (e) => post(id, controlOf(w, e.target), Ev.Input));
    client.addEventListener('click', (e) => {
      const control = controlOf(w, e.target);
      if (control === NONE) return;
      const c = w.controls[control];
      // A click on a check box's text reaches its box as a second click.
      if (c.kind === Kind.CheckBox && e.target !== c.focusable) return;
      if (c.kind === Kind.PushButton || c.kind === Kind.CheckBox || c.kind === Kind.LinkLabel) {
        post(id, control, Ev.Click);
      }
    });
    client.addEventListener('keydown', (e) => {
      if (e.key !== 'Enter' || e.isComposing || e.altKey || e.ctrlKey || e.metaKey) return;
      if (e.target.tagName === 'BUTTON') return;  // a push button presses itself
      e.preventDefault();
      post(id, controlOf(w, e.target), Ev.Enter);
    });
    w.root.addEventListener('keydown', (e) => {
      if (e.key === 'Escape' && w.modal) e.preventDefault();
      if (e.altKey && !e.ctrlKey && !e.metaKey && e.key.length === 1) mnemonic(w, e);
      if (e.key === 'Tab' && !e.altKey && !e.ctrlKey && !e.metaKey) wrapTab(w, e);
    });
  }

  // Alt with a caption's underlined letter presses that button or check
  // box, as a click would (the page's own access keys differ from browser
  // to browser, and some take the key only as a typed character).
  function mnemonic(w, e) {
    const key = e.code.startsWith('Key') ? e.code.slice(3).toLowerCase() : e.key.toLowerCase();
    const c = w.controls.find((c) => c && c.key === key && !c.focusable.disabled);
    if (!c) return;
    e.preventDefault();
    c.focusable.click();
  }

  // Tab from the last tab stop goes round to the first, and Shift+Tab from
  // the first to the last, as in a window: the focus stays in the window.
  function wrapTab(w, e) {
    const stops = [...w.client.querySelectorAll('input, textarea, select, button')]
      .filter((s) => !s.disabled && s.tabIndex >= 0);
    if (!stops.length) return;
    const [first, last] = [stops[0], stops[stops.length - 1]];
    const to = e.shiftKey ? (e.target === first || !w.client.contains(e.target) ? last : null)
                          : (e.target === last || !w.client.contains(e.target) ? first : null);
    if (!to) return;
    e.preventDefault();
    to.focus();
  }

  function place(e, left, top, width, height) {
    e.style.left = `${left}px`;
    e.style.top = `${top}px`;
    if (width >= 0) e.style.width = `${width}px`;
    if (height >= 0) e.style.height = `${height}px`;
  }

  // The elements of one control: `box` is placed, `focusable` takes the
  // focus and the text, `named` carries the name a screen reader gives.
  function makeControl(kind, caption, id) {
    switch (kind) {
      case Kind.Frame: {
        const box = element('div', 'frame');
        box.setAttribute('role', 'group');
        const legend = element('span', 'frame-caption', caption);
        legend.id = `${id}-caption`;
        box.setAttribute('aria-labelledby', legend.id);
        box.append(legend);
        return { box, text: legend };
      }
      case Kind.Label:
      case Kind.LinkLabel: {
        const box = element(kind === Kind.LinkLabel ? 'a' : 'span', kind === Kind.LinkLabel ? 'label link' : 'label');
        if (kind === Kind.LinkLabel) box.setAttribute('role', 'link');
        captionInto(box, caption);
        return { box, text: box };
      }
      case Kind.TextBox:
      case Kind.ResultBox: {
        const box = element(kind === Kind.TextBox ? 'input' : 'textarea', kind === Kind.TextBox ? 'text-box' : 'result-box');
        if (kind === Kind.TextBox) box.type = 'text';
        else box.readOnly = true;
        box.spellcheck = false;
        box.autocomplete = 'off';
        box.value = caption;
        return { box, focusable: box };
      }
      case Kind.EditCombo: {
        // An edit field over a list whose drop-down arrow shows at its right.
        const box = element('div', 'edit-combo');
        const list = element('select', 'combo-list');
        list.tabIndex = -1;
        list.setAttribute('aria-hidden', 'true');
        const field = element('input', 'combo-field');
        field.type = 'text';
        field.spellcheck = false;
        field.autocomplete = 'off';
        field.value = caption;
        box.append(list, field);
        return { box, focusable: field, list };
      }
      case Kind.ListCombo: {
        const box = element('select', 'list-combo');
        return { box, focusable: box, list: box };
      }
      case Kind.CheckBox: {
        const box = element('label', 'check-box');
        const input = element('input');
        input.type = 'checkbox';
        const text = element('span');
        const key = captionInto(text, caption);
        box.append(input, text);
        return { box, focusable: input, text, key };
      }
      case Kind.PushButton: {
        const box = element('button', 'push-button');
        box.type = 'button';
        const key = captionInto(box, caption);
        return { box, focusable: box, text: box, key };
      }
      case Kind.Picture: {
        const box = element('img', 'picture');
        box.src = 'about.jpg';
        box.alt = '';
        return { box };
      }
      default:
        throw new Error(`unknown control kind ${kind}`);
    }
  }

  function addControl(window, id, kind, container, left, top, width, height, caption, name, flags) {
    const w = windows.get(window);
    const c = makeControl(kind, caption, `orvanta-window-${window}-control-${id}`);
    c.kind = kind;
    c.box.dataset.control = id;
    if (c.focusable && c.focusable !== c.box) c.focusable.dataset.control = id;
    if (name && c.focusable) c.focusable.setAttribute('aria-label', name);
    if (c.key) c.focusable.setAttribute('aria-keyshortcuts', `Alt+${c.key.toUpperCase()}`);
    if (flags & Flag.Default) c.box.classList.add('default');
    if (flags & Flag.HandCursor) c.box.classList.add('hand');
    place(c.box, left, top, width, height);
    (container === NONE ? w.client : w.controls[container].box).append(c.box);
    w.controls[id] = c;
    if (flags & Flag.StartsDisabled) setEnabled(window, id, false);
    if (c.list && kind === Kind.EditCombo) {
      c.list.addEventListener('change', () => {
        const field = c.focusable;
        field.value = c.list.value;
        c.list.selectedIndex = -1;
        field.focus();
        field.select();
        post(window, id, Ev.Input);
      });
    }
    if (kind === Kind.EditCombo) {
      // An editable combo box selects its whole text whenever it is entered.
      const field = c.focusable;
      field.addEventListener('focus', () => field.select());
      // Left for another control of its window, it keeps no selection.
      field.addEventListener('blur', (e) => {
        if (e.relatedTarget && windows.get(window).client.contains(e.relatedTarget)) field.setSelectionRange(0, 0);
      });
      field.addEventListener('mousedown', (e) => {
        if (document.activeElement !== field) { e.preventDefault(); field.focus(); }
      });
      field.addEventListener('keydown', (e) => {
        if ((e.altKey && (e.key === 'ArrowDown' || e.key === 'ArrowUp')) || e.key === 'F4') {
          e.preventDefault();
          try { c.list.showPicker(); } catch { /* a browser without it: the arrow still opens the list */ }
        }
      });
    }
  }

  function control(window, id) { return windows.get(window).controls[id]; }
  function field(window, id) { const c = control(window, id); return c.focusable || c.box; }

  // Where the viewport is narrower than a window, the whole window is
  // scaled down as one: it keeps its layout, down to 320 CSS pixels.
  function fit() {
    for (const w of windows.values()) {
      w.root.style.zoom = '';
      const width = w.root.offsetWidth;
      const room = document.documentElement.clientWidth - 8;
      w.root.style.zoom = width > room ? String(Math.max(room, 312) / width) : '';
    }
  }

  function showWindow(window) {
    const w = windows.get(window);
    if (w.modal) w.root.showModal(); else w.root.hidden = false;
    fit();
  }

  function closeWindow(window) {
    const w = windows.get(window);
    if (!w) return;
    if (w.modal && w.root.open) w.root.close();
    w.root.remove();
    windows.delete(window);
  }

  // The program's icon, from the image made for the screen's pixel density.
  function setWindowIcon(window, shown) {
    const icon = windows.get(window).icon;
    if (shown && !icon.src) {
      icon.srcset = 'icon-16.png 1x, icon-32.png 2x, icon-48.png 3x';
      icon.src = 'icon-16.png';
    }
    icon.hidden = !shown;
  }

  // A multi-line field holds its line breaks as "\n"; the program, as
  // Windows' multi-line edit fields, counts each as "\r\n", in its texts and
  // in its positions.
  const multiLine = (f) => f.tagName === 'TEXTAREA';
  function toProgram(f, position) {
    return multiLine(f) ? position + (f.value.slice(0, position).match(/\n/g) || []).length : position;
  }
  function fromProgram(f, position) {
    if (!multiLine(f)) return position;
    let at = 0;
    for (let counted = 0; at < f.value.length && counted < position; ++at) counted += f.value[at] === '\n' ? 2 : 1;
    return at;
  }

  function text(window, id) {
    const c = control(window, id);
    if (c.kind === Kind.ListCombo) return c.box.selectedIndex < 0 ? '' : c.box.options[c.box.selectedIndex].text;
    if (c.kind === Kind.TextBox || c.kind === Kind.ResultBox || c.kind === Kind.EditCombo) {
      return multiLine(c.focusable) ? c.focusable.value.replace(/\n/g, '\r\n') : c.focusable.value;
    }
    return c.text ? c.text.textContent : '';
  }

  function setText(window, id, value) {
    const c = control(window, id);
    if (c.kind === Kind.TextBox || c.kind === Kind.ResultBox || c.kind === Kind.EditCombo) {
      c.focusable.value = multiLine(c.focusable) ? value.replace(/\r\n/g, '\n') : value;
      c.focusable.setSelectionRange(0, 0);
      scrollToCaret(c.focusable);
    } else if (c.kind === Kind.PushButton || c.kind === Kind.CheckBox || c.kind === Kind.Label ||
               c.kind === Kind.LinkLabel) {
      captionInto(c.text, value);
    } else if (c.text) {
      c.text.textContent = value;
    }
  }

  // A multi-line field shows the line with the caret, as Windows' edit fields do.
  function scrollToCaret(f) {
    if (f.tagName !== 'TEXTAREA') return;
    if (f.selectionEnd >= f.value.length) f.scrollTop = f.scrollHeight;
    else if (f.selectionEnd === 0) f.scrollTop = 0;
  }

  function selStart(window, id) { const f = field(window, id); return toProgram(f, f.selectionStart ?? 0); }
  function selEnd(window, id) { const f = field(window, id); return toProgram(f, f.selectionEnd ?? 0); }
  function select(window, id, start, end) {
    const f = field(window, id);
    if (typeof f.setSelectionRange === 'function') f.setSelectionRange(fromProgram(f, start), fromProgram(f, end));
  }
  function replaceSelection(window, id, value) {
    const f = field(window, id);
    f.setRangeText(multiLine(f) ? value.replace(/\r\n/g, '\n') : value, f.selectionStart, f.selectionEnd, 'end');
    scrollToCaret(f);
  }

  function focus(window, id) { field(window, id).focus(); }
  function focused(window) {
    const w = windows.get(window);
    const active = document.activeElement;
    if (!w || !active || !w.client.contains(active)) return NONE;
    return controlOf(w, active);
  }

  function setEnabled(window, id, enabled) {
    const c = control(window, id);
    for (const e of [c.focusable, c.list]) if (e) e.disabled = !enabled;
    c.box.classList.toggle('disabled', !enabled);
  }

  function checked(window, id) { return control(window, id).focusable.checked; }
  function listIndex(window, id) { return control(window, id).list.selectedIndex; }
  function setListIndex(window, id, index) {
    const c = control(window, id);
    c.list.selectedIndex = index;
    if (c.kind === Kind.EditCombo && index >= 0) c.focusable.value = c.list.options[index].text;
  }
  function addItem(window, id, item) {
    const c = control(window, id);
    c.list.add(new Option(item, item));
    if (c.kind === Kind.EditCombo) c.list.selectedIndex = -1;
  }
  function setHandCursor(window, id, hand) { control(window, id).box.classList.toggle('hand', hand); }

  function announce(value) {
    const region = document.getElementById('announcer');
    region.textContent = '';
    // Set in a later task, so that the same text twice is read twice.
    setTimeout(() => { region.textContent = value; }, 50);
  }

  // A message box: the program's title, an icon, the text and an OK button
  // that has the focus. OK, Enter, Space, Esc and the close box close it.
  function openMessageBox(message, icon, title) {
    const id = ++lastWindow;
    const root = element('dialog', 'window message-box');
    root.setAttribute('role', 'alertdialog');
    const w = frameWindow(id, root, title, -1, -1);
    w.client.style.width = w.client.style.height = '';
    const body = element('div', 'message');
    const sign = element('span', `message-icon ${Icon[icon]}`, icon === 0 ? 'i' : icon === 1 ? '!' : '×');
    sign.setAttribute('aria-hidden', 'true');
    const words = element('p', 'message-text', message);
    words.id = `orvanta-window-${id}-text`;
    root.setAttribute('aria-describedby', words.id);
    body.append(sign, words);
    const ok = element('button', 'push-button default', '确定');
    ok.type = 'button';
    ok.addEventListener('click', () => root.close());
    const buttons = element('div', 'message-buttons');
    buttons.append(ok);
    w.client.append(body, buttons);
    root.querySelector('.close-box').addEventListener('click', () => root.close());
    root.addEventListener('close', () => {
      root.remove();
      windows.delete(id);
      post(id, NONE, Ev.BoxClosed);
    });
    w.controls = [];
    w.modal = true;
    windows.set(id, w);
    desktop().append(root);
    root.showModal();
    ok.focus();
    fit();
    return id;
  }

  // Only the program's own fixed addresses reach here; a page link that
  // could run script or read local files is never opened.
  function openLink(url) {
    let target;
    try { target = new URL(url); } catch { return; }
    if (['javascript:', 'data:', 'blob:', 'file:', 'vbscript:', 'about:'].includes(target.protocol)) return;
    if (target.protocol === 'http:' || target.protocol === 'https:') {
      window.open(target.href, '_blank', 'noopener,noreferrer');
      return;
    }
    // Mail and chat links go to whatever the system has for them; where
    // nothing handles one, nothing happens and the page stays.
    const link = document.createElement('a');
    link.href = target.href;
    link.rel = 'noopener noreferrer';
    link.click();
  }

  window.addEventListener('resize', fit);

  return { nextEvent, takeEvent, idle, createWindow, addControl, showWindow, closeWindow, setWindowIcon, text, setText,
           selStart, selEnd, select, replaceSelection, focus, focused, setEnabled, checked, listIndex, setListIndex, addItem,
           setHandCursor, announce, openMessageBox, openLink };
})();
