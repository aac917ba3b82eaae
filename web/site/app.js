// The page: draws what the core says and forwards what the student does. The editor's
// rules, the assembler, the debugger's lists and the help all come from the
// WebAssembly module; this file only measures, paints and passes messages.
'use strict';

const $ = id => document.getElementById(id);
const STORE_TEXT = 'verdin.text';
const STORE_NAME = 'verdin.name';
const ATTRIBUTE_CLASS = { 0: '', 100: 'm', 200: 'c', 255: 's' };

let Module = null;
let wb = null;            // the page's instance: editor, Compile, Translate, help
let worker = null;        // the debug session's instance
let fileName = localStorage.getItem(STORE_NAME) || '';
let charWidth = 9;
let lineHeight = 18;
let lastView = null;      // the editor's last drawn state
let debugView = null;
let debugging = false;
let running = false;
let hostFiles = [];
const messageQueue = [];

// ---- Messages, one box at a time, as the desktop shows them ----------------------

function showMessages(messages) {
  for (const m of messages) messageQueue.push(m);
  if (!$('message').open) nextMessage();
}

let pendingRequest = null;

function nextMessage() {
  const m = messageQueue.shift();
  if (!m) {
    // A value box waits for the message boxes shown before it (a "Not a number" warning).
    if (pendingRequest) { const r = pendingRequest; pendingRequest = null; askValue(r); return; }
    focusEditorOrDebug();
    return;
  }
  $('message-caption').textContent = m.kind;
  $('message-text').textContent = m.text;
  $('message-hint').textContent = m.hint;
  $('message-help').hidden = !m.help;
  $('message-help').dataset.target = m.help;
  $('message').showModal();
  $('message-ok').focus();
}

function focusEditorOrDebug() {
  if (debugging) $('program').focus();
  else $('editor').focus();
}

// ---- The editor -------------------------------------------------------------------

// The x of a character column: TAB characters stand for the next multiple of 8.
function visualColumn(text, column) {
  let v = 0;
  for (let i = 0; i < column && i < text.length; ++i) v = text[i] === '\t' ? (Math.floor(v / 8) + 1) * 8 : v + 1;
  return v + Math.max(0, column - text.length);
}

function columnAt(text, x) {
  const target = Math.round(x / charWidth);
  let v = 0;
  for (let i = 0; i < text.length; ++i) {
    const next = text[i] === '\t' ? (Math.floor(v / 8) + 1) * 8 : v + 1;
    if (target < (v + next) / 2 + 0.5 && target <= v) return i;
    if (target < next) return target - v < next - target ? i : i + 1;
    v = next;
  }
  return text.length;
}

function render() {
  const view = JSON.parse(wb.editorView());
  const lines = $('lines');
  const gutter = $('gutter');
  const rows = [];
  const marks = [];
  const breakpoints = new Set(view.breakpoints);
  view.lines.forEach(([text, runs], i) => {
    const row = document.createElement('div');
    for (const [start, length, attribute] of runs) {
      const span = document.createElement('span');
      span.textContent = text.substr(start, length);
      const cls = ATTRIBUTE_CLASS[attribute];
      if (cls) span.className = cls;
      row.appendChild(span);
    }
    if (runs.length === 0) row.textContent = text;
    rows.push(row);
    const mark = document.createElement('div');
    mark.textContent = String(i + 1);
    if (breakpoints.has(i)) mark.className = 'bp';
    if (view.fault === i) mark.className = 'fault';
    marks.push(mark);
  });
  lines.replaceChildren(...rows);
  gutter.replaceChildren(...marks);
  const [caretLine, caretColumn] = view.caret;
  const caretText = view.lines[caretLine] ? view.lines[caretLine][0] : '';
  const caret = $('caret');
  caret.style.left = (2 + visualColumn(caretText, caretColumn) * charWidth) + 'px';
  caret.style.top = (caretLine * lineHeight) + 'px';
  caret.classList.toggle('overwrite', view.overwrite !== '');
  $('editor-status').textContent = view.status;
  $('overwrite').textContent = view.overwrite;
  if (view.notice) $('notice').textContent = view.notice;
  $('undo').disabled = !view.canUndo;
  $('redo').disabled = !view.canRedo;
  const scroller = $('editor-scroll');
  const top = caretLine * lineHeight;
  if (top < scroller.scrollTop) scroller.scrollTop = top;
  else if (top + lineHeight > scroller.scrollTop + scroller.clientHeight) scroller.scrollTop = top + lineHeight - scroller.clientHeight;
  if (lastView === null || JSON.stringify(lastView.lines) !== JSON.stringify(view.lines)) {
    localStorage.setItem(STORE_TEXT, wb.text());
    $('notice').textContent = view.notice;
  }
  lastView = view;
}

const EDITOR_KEYS = new Set(['ArrowLeft', 'ArrowRight', 'ArrowUp', 'ArrowDown', 'Home', 'End', 'PageUp', 'PageDown', 'Delete', 'Insert']);

function editorKeyDown(e) {
  if (running) return;
  const ctrl = e.ctrlKey || e.metaKey;
  let handled = true;
  if (ctrl && !e.altKey && (e.key === 'z' || e.key === 'Z')) wb.undo();
  else if (ctrl && !e.altKey && (e.key === 'y' || e.key === 'Y')) wb.redo();
  else if (ctrl && !e.altKey && (e.key === 'a' || e.key === 'A')) wb.selectAll();
  else if (ctrl && (e.key === 'c' || e.key === 'x' || e.key === 'v' || e.key === 'Insert')) handled = false;  // clipboard events
  else if (e.shiftKey && e.key === 'Insert') handled = false;
  else if (EDITOR_KEYS.has(e.key)) wb.key(e.key, e.shiftKey, ctrl);
  else if (e.key === 'Enter' && !ctrl) wb.typeChar(13);
  else if (e.key === 'Backspace' && !ctrl) wb.typeChar(8);
  else if (e.key === 'Tab' && !ctrl && !e.shiftKey && !e.altKey) wb.typeChar(9);
  else if (e.key.length === 1 && !ctrl && !e.altKey) {
    const code = e.key.charCodeAt(0);
    // Beyond Latin-1 (the euro sign, typographic quotes) the core maps the character to
    // its single byte, as it does for pasted text.
    if (code < 256) wb.typeChar(code);
    else wb.paste(e.key);
  } else handled = false;
  if (handled) {
    e.preventDefault();
    render();
  }
}

function pointerPosition(e) {
  const box = $('lines').getBoundingClientRect();
  const line = Math.floor((e.clientY - box.top) / lineHeight);
  const text = lastView && lastView.lines[line] ? lastView.lines[line][0] : '';
  return [line, columnAt(text, e.clientX - box.left)];
}

let mouseHeld = false;
function editorMouseDown(e) {
  if (e.button !== 0 || running) return;
  const [line, column] = pointerPosition(e);
  if (e.detail === 2) wb.selectWord(line, column);
  else if (e.detail >= 3) wb.selectLine(line);
  else wb.mouseDown(line, column);
  mouseHeld = e.detail < 2;
  $('editor').focus();
  e.preventDefault();
  render();
}

// ---- Files of the editor ------------------------------------------------------------

function download(name, data, type) {
  const url = URL.createObjectURL(new Blob([data], { type }));
  const a = document.createElement('a');
  a.href = url;
  a.download = name;
  document.body.appendChild(a);
  a.click();
  a.remove();
  setTimeout(() => URL.revokeObjectURL(url), 1000);
}

function baseName() { return (fileName || 'untitled').replace(/\.[^.]*$/, ''); }

function setFileName(name) {
  fileName = name;
  localStorage.setItem(STORE_NAME, name);
  document.title = `${name || 'untitled'} - Verdin`;
}

async function openUpload(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  Module.FS.writeFile('/upload/' + file.name, bytes);
  const result = JSON.parse(wb.openFile('/upload/' + file.name));
  Module.FS.unlink('/upload/' + file.name);
  if (!result.ok) {
    showMessages([{ kind: 'Error', text: result.error, hint: '', help: '' }]);
    return;
  }
  setFileName(file.name);
  if (result.note) showMessages([{ kind: 'Information', text: result.note, hint: '', help: '' }]);
  render();
}

// Import: the converted program becomes a new untitled text, and the report stays open
// beside the editor (not modal) so that its rows can take the caret to their lines.
async function importUpload(file) {
  const bytes = new Uint8Array(await file.arrayBuffer());
  Module.FS.writeFile('/upload/' + file.name, bytes);
  const result = JSON.parse(wb.importFile('/upload/' + file.name, file.name));
  Module.FS.unlink('/upload/' + file.name);
  showMessages(JSON.parse(wb.takeMessages()));
  if (!result.ok) return;
  setFileName('');
  render();
  $('import-caption').textContent = result.title;
  $('import-summary').textContent = result.summary;
  $('import-notes').replaceChildren(...result.notes.map(note => {
    const li = document.createElement('li');
    li.textContent = note.text;
    li.tabIndex = 0;
    if (note.toDo) li.classList.add('todo');
    li.dataset.line = note.line;
    return li;
  }));
  if (!$('import-window').open) $('import-window').show();
}

function importRowChosen(li) {
  if (!li || Number(li.dataset.line) < 0) return;
  wb.goToLine(Number(li.dataset.line));
  render();
}

function saveText() {
  const name = fileName || 'untitled.asm';
  download(name, wb.text().replace(/\n/g, '\r\n'), 'text/plain');
  wb.markSaved();
  setFileName(name);
  render();
}

// ---- The assembler commands ---------------------------------------------------------

function setOptions() { wb.setOptions($('intel').checked, $('timing8085').checked); }

function compile() {
  setOptions();
  wb.compile(false);
  showMessages(JSON.parse(wb.takeMessages()));
  render();
}

function translate(z80) {
  setOptions();
  const result = JSON.parse(wb.translate(z80, baseName() + '.asm'));
  const messages = JSON.parse(wb.takeMessages()).filter(m => !m.text.startsWith('File was saved'));
  if (result.ok) download(result.name, result.text, 'text/plain');
  showMessages(messages);
  render();
}

function saveCode() {
  setOptions();
  const bytes = JSON.parse(wb.saveCode());
  showMessages(JSON.parse(wb.takeMessages()));
  if (bytes) download(baseName() + '.dat', new Uint8Array(bytes), 'application/octet-stream');
  render();
}

// The clock each processor's states are timed at, kept by the browser as the desktop
// keeps it in its settings; the processor's usual clock until one is chosen.
const STORE_CLOCK = 'verdin.clock';

function clockKHz(timing8085) {
  const kept = Number(localStorage.getItem(STORE_CLOCK + (timing8085 ? '8085' : '8080')));
  return kept > 0 ? kept : wb.defaultClock(timing8085);
}

function openClock() {
  const timing8085 = $('timing8085').checked;
  const box = JSON.parse(wb.clockBox(timing8085, clockKHz(timing8085)));
  $('clock-caption').textContent = box.caption;
  $('clock-value').value = box.value;
  $('clock-ok').disabled = false;
  $('clock-window').showModal();
  $('clock-value').select();
}

function clockChosen(e) {
  if (!e.submitter || e.submitter.value !== 'ok') return;
  const kHz = wb.parseClock($('clock-value').value);
  if (kHz <= 0) return;
  localStorage.setItem(STORE_CLOCK + ($('timing8085').checked ? '8085' : '8080'), String(kHz));
  if (debugging) worker.postMessage({ type: 'clock', kHz });
}

function startDebug() {
  setOptions();
  const result = wb.compile(true);
  showMessages(JSON.parse(wb.takeMessages()));
  render();
  if (result !== -1) return;
  worker.postMessage({ type: 'debug', text: wb.text(), intel: $('intel').checked, timing8085: $('timing8085').checked,
                       clockKHz: clockKHz($('timing8085').checked), breakpoints: lastView.breakpoints });
}

// ---- The debug panel ---------------------------------------------------------------

function fillList(list, entries, changed, extra) {
  const items = entries.map((text, i) => {
    const li = document.createElement('li');
    li.textContent = text;
    if (changed && changed[i]) li.classList.add('changed');
    if (extra) extra(li, i);
    return li;
  });
  list.replaceChildren(...items);
}

function showDebug(view) {
  debugView = view;
  const breakpoints = new Set(lastView ? lastView.breakpoints : []);
  fillList($('program'), view.program, null, (li, i) => {
    if (i === view.selected) li.classList.add('next', 'selected');
    if (breakpoints.has(i)) li.classList.add('bp');
    if (i === view.fault) li.classList.add('fault');
    li.dataset.line = i;
  });
  const next = $('program').children[view.selected];
  if (next) next.scrollIntoView({ block: 'nearest' });
  fillList($('registers'), view.registers, view.registersChanged, (li, i) => { if (i < 4) li.tabIndex = 0; });
  fillList($('flags'), view.flags, view.flagsChanged);
  fillList($('stack'), view.stack, view.stackChanged, (li, i) => { if (i === view.spEntry) li.classList.add('sp'); });
  fillList($('dump'), view.dump, view.dumpChanged);
  fillList($('in-ports'), view.inPorts, null, (li, i) => { li.dataset.port = i; li.tabIndex = 0; });
  fillList($('out-ports'), view.outPorts, view.outChanged);
  $('screen').textContent = view.screen.join('\n');
  $('debug-status').textContent = view.statusText;
  $('debug-states').textContent = view.statesText;
  $('step-back').disabled = running || !view.canStepBack;
}

function setRunning(on) {
  running = on;
  for (const id of ['step', 'step-over', 'step-out', 'run', 'close-debug']) $(id).disabled = on;
  $('step-back').disabled = on || !(debugView && debugView.canStepBack);
  $('stop').disabled = !on;
  for (const id of ['compile', 'debug', 'z80', 'x86', 'save-code']) $(id).disabled = on;
}

function debugCommand(type) {
  if (running || !debugging) return;
  setRunning(true);
  const line = debugView ? Math.max(0, debugView.selected >= debugView.program.length ? 0 : debugView.selected) : 0;
  worker.postMessage({ type, line });
}

function askValue(request) {
  if ($('message').open || messageQueue.length > 0) { pendingRequest = request; return; }
  $('input-prompt').textContent = request.prompt;
  $('input-kind').textContent = request.kind;
  const field = $('input-value');
  field.value = request.initial;
  $('input').showModal();
  field.focus();
  field.select();
}

function onWorker(e) {
  const m = e.data;
  switch (m.type) {
    case 'ready':
      hostFiles = m.files;
      break;
    case 'debugging':
      if (!m.ok) return;
      debugging = true;
      $('debug-panel').hidden = false;
      showDebug(m.view);
      $('program').focus();
      break;
    case 'messages': showMessages(m.messages); break;
    case 'progress': case 'view': showDebug(m.view); break;
    case 'back':
      setRunning(false);
      showDebug(m.view);
      if (m.refusal) $('debug-status').textContent = m.refusal;
      break;
    case 'input': showDebug(m.view); askValue(m.request); break;
    case 'done':
      showDebug(m.view);
      setRunning(false);
      break;
    case 'files': hostFiles = m.files; fillFiles(); break;
    case 'download': download(m.name, m.bytes, 'application/octet-stream'); break;
    case 'state': window.lastState = m.state; break;
    case 'editRequest': {
      const typed = window.prompt(m.request.description, m.request.value);
      if (typed !== null) worker.postMessage({ type: 'edit', port: m.port, index: m.index, typed });
      break;
    }
  }
}

// ---- Host files ---------------------------------------------------------------------

function fillFiles() {
  const items = hostFiles.map(f => {
    const li = document.createElement('li');
    li.textContent = `${f.name} (${f.size} bytes) `;
    const get = document.createElement('button');
    get.textContent = 'Download';
    get.setAttribute('aria-label', `Download ${f.name}`);
    get.onclick = () => worker.postMessage({ type: 'download', name: f.name });
    const del = document.createElement('button');
    del.textContent = 'Delete';
    del.setAttribute('aria-label', `Delete ${f.name}`);
    del.onclick = () => worker.postMessage({ type: 'remove', name: f.name });
    li.append(get, del);
    return li;
  });
  $('file-list').replaceChildren(...items);
}

// ---- Help -----------------------------------------------------------------------------

let helpCurrent = 'contents';

function showHelp(target) {
  helpCurrent = (target || 'contents').split('#')[0];
  const page = JSON.parse(wb.helpPage(target || 'contents', $('intel').checked));
  const article = $('help-page');
  if (!page) {
    article.innerHTML = '';
    article.textContent = `The help has no page "${target}".`;
  } else {
    article.innerHTML = page.html;  // the core's own Markdown, rendered by the core
  }
  if (!$('help-window').open) $('help-window').showModal();
  const hash = (target || '').indexOf('#');
  const anchor = hash >= 0 ? article.querySelector(`a[name="${CSS.escape(target.slice(hash + 1))}"]`) : null;
  if (anchor) anchor.scrollIntoView();
  else article.scrollTop = 0;
}

// ---- Wiring ---------------------------------------------------------------------------

function measure() {
  const probe = document.createElement('span');
  probe.textContent = 'M'.repeat(40);
  probe.style.visibility = 'hidden';
  $('lines').appendChild(probe);
  charWidth = probe.getBoundingClientRect().width / 40;
  probe.remove();
  const row = document.createElement('div');
  row.textContent = 'M';
  $('lines').appendChild(row);
  lineHeight = row.getBoundingClientRect().height || 18;
  row.remove();
  // Page Up and Page Down move by the lines the editor shows.
  wb.setVisibleLines(Math.max(1, Math.floor($('editor-scroll').clientHeight / lineHeight)));
}

function wire() {
  const editor = $('editor');
  editor.addEventListener('keydown', editorKeyDown);
  editor.addEventListener('mousedown', editorMouseDown);
  window.addEventListener('mousemove', e => {
    if (!mouseHeld) return;
    const [line, column] = pointerPosition(e);
    wb.mouseMove(line, column, true);
    render();
  });
  window.addEventListener('mouseup', () => { if (mouseHeld) { mouseHeld = false; wb.mouseUp(); render(); } });
  editor.addEventListener('contextmenu', e => {
    const [line, column] = pointerPosition(e);
    const page = wb.rightClick(line, column);
    render();
    if (page) { e.preventDefault(); showHelp(page); }
  });
  editor.addEventListener('copy', e => { e.clipboardData.setData('text/plain', wb.copy(false)); e.preventDefault(); render(); });
  editor.addEventListener('cut', e => { e.clipboardData.setData('text/plain', wb.copy(true)); e.preventDefault(); render(); });
  editor.addEventListener('paste', e => { wb.paste(e.clipboardData.getData('text/plain')); e.preventDefault(); render(); });
  $('gutter').addEventListener('mousedown', e => {
    const line = Math.floor((e.clientY - $('gutter').getBoundingClientRect().top) / lineHeight);
    wb.toggleBreakpoint(line);
    if (debugging && lastView) worker.postMessage({ type: 'breakpoint', line, on: !lastView.breakpoints.includes(line) });
    e.preventDefault();
    render();
    if (debugView) showDebug(debugView);
  });

  $('new').onclick = () => { wb.newText(); setFileName(''); render(); editor.focus(); };
  $('open').onclick = () => $('open-file').click();
  $('open-file').onchange = e => { if (e.target.files[0]) openUpload(e.target.files[0]); e.target.value = ''; };
  $('save').onclick = saveText;
  $('examples').onchange = e => {
    const example = examples.find(x => x.name === e.target.value);
    if (example) { wb.setText(example.text); setFileName(''); render(); }
    e.target.value = '';
    editor.focus();
  };
  $('undo').onclick = () => { wb.undo(); render(); editor.focus(); };
  $('redo').onclick = () => { wb.redo(); render(); editor.focus(); };
  $('select-all').onclick = () => { wb.selectAll(); render(); editor.focus(); };
  $('cut').onclick = () => clipboardButton(true);
  $('copy').onclick = () => clipboardButton(false);
  $('paste').onclick = async () => {
    try { wb.paste(await navigator.clipboard.readText()); } catch (e) { /* the browser said no: Ctrl+V still works */ }
    render();
    editor.focus();
  };
  $('find').onclick = () => openFind(false);
  $('replace').onclick = () => openFind(true);
  $('find-next').onclick = () => findCommand(0);
  $('replace-one').onclick = () => findCommand(1);
  $('replace-all').onclick = () => findCommand(2);
  $('find-close').onclick = () => { $('find-window').close(); editor.focus(); };
  $('listing').onclick = showListing;
  $('listing-close').onclick = () => { $('listing-window').close(); editor.focus(); };
  $('compile').onclick = compile;
  $('debug').onclick = startDebug;
  $('z80').onclick = () => translate(true);
  $('x86').onclick = () => translate(false);
  $('save-code').onclick = saveCode;
  $('help').onclick = () => showHelp('contents');
  $('help-contents').onclick = () => showHelp('contents');
  $('help-close').onclick = () => $('help-window').close();
  $('help-search').onkeydown = e => {
    if (e.key !== 'Enter') return;
    const topic = wb.helpForTopic(e.target.value);
    if (topic) { showHelp(topic); return; }
    const hits = JSON.parse(wb.helpSearch(e.target.value));
    const article = $('help-page');
    article.replaceChildren(...hits.map(h => {
      const p = document.createElement('p');
      const a = document.createElement('a');
      a.href = h.id;
      a.textContent = h.title;
      p.appendChild(a);
      return p;
    }));
  };
  $('help-page').addEventListener('click', e => {
    const a = e.target.closest('a[href]');
    if (!a) return;
    e.preventDefault();
    const href = a.getAttribute('href');
    if (/^https?:/.test(href)) window.open(href, '_blank', 'noopener');
    else showHelp(href.startsWith('#') ? helpCurrent + href : href);
  });
  $('message-ok').onclick = () => { $('message').close(); };
  $('message').addEventListener('close', () => setTimeout(nextMessage, 0));
  $('message-help').onclick = e => { e.preventDefault(); $('message').close(); showHelp(e.target.dataset.target); };

  $('step').onclick = () => debugCommand('step');
  $('step-over').onclick = () => debugCommand('over');
  $('step-out').onclick = () => debugCommand('out');
  $('step-back').onclick = () => debugCommand('back');
  $('run').onclick = () => debugCommand('run');
  $('stop').onclick = () => worker.postMessage({ type: 'stop' });
  $('close-debug').onclick = () => { debugging = false; $('debug-panel').hidden = true; editor.focus(); };
  $('program').addEventListener('keydown', e => {
    if (running || !debugView || (e.key !== 'ArrowUp' && e.key !== 'ArrowDown')) return;
    const line = debugView.selected + (e.key === 'ArrowUp' ? -1 : 1);
    if (line >= 0 && line < debugView.program.length) worker.postMessage({ type: 'choose', line });
    e.preventDefault();
  });
  $('program').addEventListener('click', e => {
    const li = e.target.closest('li');
    if (li && !running) worker.postMessage({ type: 'choose', line: Number(li.dataset.line) });
  });
  $('in-ports').addEventListener('click', e => editEntry(e.target.closest('li'), true));
  $('in-ports').addEventListener('keydown', e => { if (e.key === 'Enter') editEntry(e.target.closest('li'), true); });
  $('registers').addEventListener('click', e => editEntry(e.target.closest('li'), false));
  $('registers').addEventListener('keydown', e => { if (e.key === 'Enter') editEntry(e.target.closest('li'), false); });
  $('stack-up').onclick = () => worker.postMessage({ type: 'scroll', stack: true, action: 0 });
  $('stack-down').onclick = () => worker.postMessage({ type: 'scroll', stack: true, action: 1 });
  $('dump-up').onclick = () => worker.postMessage({ type: 'scroll', stack: false, action: 0 });
  $('dump-down').onclick = () => worker.postMessage({ type: 'scroll', stack: false, action: 1 });
  $('dump-go').onclick = () => {
    const address = parseInt($('dump-address').value, 16);
    if (!Number.isNaN(address)) worker.postMessage({ type: 'goTo', address });
  };
  $('input-form').addEventListener('submit', e => {
    const ok = e.submitter && e.submitter.value === 'ok';
    worker.postMessage({ type: 'answer', text: $('input-value').value, ok });
  });
  $('input').addEventListener('cancel', () => worker.postMessage({ type: 'answer', text: '', ok: false }));
  $('files-button').onclick = () => { fillFiles(); $('files').showModal(); };
  $('clock-button').onclick = openClock;
  $('clock-value').addEventListener('input', () => { $('clock-ok').disabled = wb.parseClock($('clock-value').value) <= 0; });
  $('clock-form').addEventListener('submit', clockChosen);
  $('import').onclick = () => $('import-file').click();
  $('import-file').onchange = e => {
    if (e.target.files.length > 0) importUpload(e.target.files[0]);
    e.target.value = '';
  };
  $('import-notes').addEventListener('click', e => importRowChosen(e.target.closest('li')));
  $('import-notes').addEventListener('keydown', e => { if (e.key === 'Enter') importRowChosen(e.target.closest('li')); });
  $('import-close').onclick = () => $('import-window').close();
  $('import-window').addEventListener('keydown', e => { if (e.key === 'Escape') $('import-window').close(); });
  $('print').onclick = () => window.print();
  window.addEventListener('beforeprint', fillPrintArea);
  $('calculator-button').onclick = openCalculator;
  $('calculator-close').onclick = () => $('calculator').close();
  // Typing a key's face presses it, as far as it is enabled; Enter closes, as Esc does.
  $('calculator').addEventListener('keydown', e => {
    if (e.ctrlKey || e.altKey || e.metaKey) return;
    if (e.key === 'Enter' && !$('calc-pad').contains(document.activeElement)) {
      $('calculator').close();
      e.preventDefault();
      return;
    }
    const face = e.key.length === 1 ? e.key.toUpperCase() : '';
    const key = [...$('calc-pad').children].find(b => b.dataset.label === face);
    if (key && !key.disabled) { key.click(); e.preventDefault(); }
  });
  $('files-close').onclick = () => $('files').close();
  $('file-upload').onchange = async e => {
    for (const file of e.target.files) {
      worker.postMessage({ type: 'upload', name: file.name, bytes: await file.arrayBuffer() });
    }
    e.target.value = '';
  };

  // The desktop's keys, where the browser lets a page have them.
  window.addEventListener('keydown', e => {
    if (document.querySelector('dialog[open]:not(#import-window)')) return;
    const ctrl = e.ctrlKey || e.metaKey;
    let done = true;
    if (ctrl && e.altKey && (e.key === 'n' || e.key === 'N')) $('new').click();
    else if (ctrl && !e.altKey && (e.key === 'f' || e.key === 'F')) openFind(false);
    else if (ctrl && !e.altKey && (e.key === 'h' || e.key === 'H' || e.key === 'r' || e.key === 'R')) openFind(true);
    else if (ctrl && !e.altKey && (e.key === 'l' || e.key === 'L')) showListing();
    else if (e.key === 'Escape' && document.activeElement === $('editor') && !running) $('compile').focus();
    else if (e.key === 'F1') {
      const page = lastView ? wb.helpWord(lastView.caret[0], lastView.caret[1]) : '';
      showHelp(debugging ? wb.helpForContext(131202) : page || 'contents');
    } else if (e.key === 'F2') saveText();
    else if (e.key === 'F3') $('open-file').click();
    else if (e.key === 'F11' && debugging) debugCommand(e.shiftKey ? 'out' : 'step');
    // Ctrl+Z is Step back in the debug panel, and the editor's Undo everywhere else.
    else if (ctrl && !e.altKey && (e.key === 'z' || e.key === 'Z') && debugging &&
             $('debug-panel').contains(document.activeElement)) debugCommand('back');
    else if (e.key === 'F10' && debugging) debugCommand('over');
    else if (e.key === 'F5' && e.shiftKey && running) worker.postMessage({ type: 'stop' });
    else if (e.key === 'F5' && debugging && !e.shiftKey) debugCommand('run');
    else if (e.key === 'F9' && debugging && debugView) {
      const line = debugView.selected;
      wb.toggleBreakpoint(line);
      render();
      worker.postMessage({ type: 'breakpoint', line, on: lastView.breakpoints.includes(line) });
      showDebug(debugView);
    } else if (e.key === 'Escape' && running) worker.postMessage({ type: 'stop' });
    else done = false;
    if (done) e.preventDefault();
  });
}

// The debug window's "Input" dialog for an input port or a register pair: the core
// says what it offers and judges what was typed.
function editEntry(li, port) {
  if (!li || running || !debugging) return;
  const index = Array.prototype.indexOf.call(li.parentNode.children, li);
  worker.postMessage({ type: 'editRequest', port, index });
}

async function clipboardButton(cut) {
  const text = wb.copy(cut);
  render();
  try { await navigator.clipboard.writeText(text); } catch (e) { /* the browser said no: Ctrl+C still works */ }
  $('editor').focus();
}

// Print: whatever starts it (the button, Ctrl+P, the browser's menu), the sheets are
// laid out by the core just before, and the print style shows them alone.
function isoDate(d) {
  const two = n => String(n).padStart(2, '0');
  return `${d.getFullYear()}-${two(d.getMonth() + 1)}-${two(d.getDate())}`;
}

function fillPrintArea() {
  const layout = JSON.parse(wb.printPages(fileName));
  const date = isoDate(new Date());
  const sheets = layout.pages.map(page => {
    const sheet = document.createElement('section');
    sheet.className = 'sheet';
    const header = document.createElement('div');
    header.className = 'sheet-header';
    const name = document.createElement('b');
    name.textContent = layout.name;
    const day = document.createElement('span');
    day.textContent = date;
    const number = document.createElement('span');
    number.textContent = page.page;
    header.append(name, day, number);
    const body = document.createElement('pre');
    body.textContent = page.rows.map(([n, text]) => `${n}  ${text}`).join('\n');
    sheet.append(header, body);
    return sheet;
  });
  $('print-area').replaceChildren(...sheets);
}

// The calculator: the core keeps its state for the page's life and says what the
// display shows and which keys may be pressed; the pad is laid out as the core places it.
let calculatorHelp = 0;

function showCalculator(view) {
  $('calc-display').textContent = view.display;
  [...$('calc-pad').children].forEach((b, i) => { b.disabled = !view.enabled[i]; });
}

function buildCalculator() {
  const pad = JSON.parse(wb.calculatorKeys());
  calculatorHelp = pad.help;
  $('calc-pad').style.gridTemplateColumns = `repeat(${pad.columns}, auto)`;
  const keys = pad.keys.map(k => {
    const b = document.createElement('button');
    b.textContent = k.label;
    b.setAttribute('aria-label', k.name);
    b.dataset.label = k.label;
    b.style.gridRow = String(k.row);
    b.style.gridColumn = `${k.column + 1} / span ${k.span}`;
    // A click leaves the focus where it was, so that Enter still closes the dialog
    // rather than pressing the key clicked last; Tab still reaches every key.
    b.onmousedown = e => e.preventDefault();
    b.onclick = () => {
      if (k.help) { $('calculator').close(); showHelp(wb.helpForContext(calculatorHelp)); return; }
      showCalculator(JSON.parse(wb.calculatorPress(k.id)));
    };
    return b;
  });
  $('calc-pad').replaceChildren(...keys);
}

function openCalculator() {
  if ($('calc-pad').children.length === 0) buildCalculator();
  showCalculator(JSON.parse(wb.calculatorOpen()));
  $('calculator').showModal();
  $('calculator-close').focus();
}

function openFind(replace) {
  $('find-caption').textContent = replace ? 'Replace' : 'Find';
  $('replace-row').hidden = !replace;
  $('replace-one').hidden = !replace;
  $('replace-all').hidden = !replace;
  const proposed = wb.proposedFind();
  if (proposed) $('find-fragment').value = proposed;
  $('find-window').showModal();
  $('find-fragment').select();
}

function findCommand(mode) {
  wb.find(mode, $('find-fragment').value, $('find-replacement').value, $('find-case').checked, $('find-word').checked);
  render();
  const messages = JSON.parse(wb.takeMessages());
  if (messages.length > 0) { $('find-window').close(); showMessages(messages); }
}

function showListing() {
  setOptions();
  const listing = JSON.parse(wb.listing());
  $('listing-text').textContent = listing.rows.join('\n');
  $('listing-window').showModal();
}

let examples = [];

createVerdin().then(M => {
  Module = M;
  wb = new Module.Workbench();
  Module.FS.mkdir('/upload');
  Module.FS.mkdir('/translate');
  measure();
  wire();
  window.addEventListener('resize', measure);
  const saved = localStorage.getItem(STORE_TEXT);
  if (saved !== null) wb.setText(saved);
  setFileName(fileName);
  examples = JSON.parse(wb.examples());
  for (const e of examples) {
    const option = document.createElement('option');
    option.value = e.name;
    option.textContent = `${e.name}: ${e.title}`;
    $('examples').appendChild(option);
  }
  render();
  worker = new Worker('worker.js');
  worker.onmessage = onWorker;
  for (const id of ['compile', 'debug', 'z80', 'x86', 'save-code']) $(id).disabled = false;
  $('editor').focus();
  window.readyAt = performance.now();
  document.body.dataset.ready = 'true';
});
