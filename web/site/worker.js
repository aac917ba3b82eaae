// The debug session's machine, off the page's thread: Run and Step over go in slices
// of at most 10 ms, with the worker's event loop in between, so that Stop (a message)
// is heard within one slice. An RST 7 that asks for a value ends a slice; the page
// asks and sends the answer, which resumes the command. Host files of RST 6 and
// RST 4 live in /files, an IndexedDB file system written back after each command.
'use strict';
importScripts('verdin.js');

const SLICE_MS = 10;
const FILES = '/files';
let Module = null;
let wb = null;
let busy = false;
let lastView = 0;
const yieldChannel = new MessageChannel();
let afterYield = null;
yieldChannel.port1.onmessage = () => { const f = afterYield; afterYield = null; if (f) f(); };

function post(type, data) { postMessage(Object.assign({ type }, data)); }

function view() { return JSON.parse(wb.debugView()); }

function sync() {
  return new Promise(resolve => Module.FS.syncfs(false, () => resolve()));
}

function listFiles() {
  const names = Module.FS.readdir(FILES).filter(n => n !== '.' && n !== '..');
  return names.map(name => ({ name, size: Module.FS.stat(`${FILES}/${name}`).size }));
}

// One slice's result: go on at once, wait for an answer, or end the command.
function handle(result) {
  if (result.messages.length > 0) post('messages', { messages: result.messages });
  if (result.waiting) {
    post('input', { request: result.request, view: view() });
    return;
  }
  if (result.suspended) {
    const now = performance.now();
    if (now - lastView > 100) {
      lastView = now;
      post('progress', { view: view() });
    }
    afterYield = () => handle(JSON.parse(wb.resume(SLICE_MS)));
    yieldChannel.port2.postMessage(null);
    return;
  }
  busy = false;
  // The page hears of the end at once; the host files are written back after it.
  post('done', { view: view() });
  sync().then(() => post('files', { files: listFiles() }));
}

const commands = {
  debug(m) {
    const ok = wb.startDebug(m.text, m.intel, m.timing8085, FILES, false);
    wb.setClock(m.clockKHz);
    for (const line of m.breakpoints) wb.setBreakpoint(line, true);
    post('debugging', { ok, view: ok ? view() : null });
  },
  step(m) { busy = true; lastView = performance.now(); handle(JSON.parse(wb.command('step', m.line, SLICE_MS))); },
  over(m) { busy = true; lastView = performance.now(); handle(JSON.parse(wb.command('over', m.line, SLICE_MS))); },
  out(m) { busy = true; lastView = performance.now(); handle(JSON.parse(wb.command('out', m.line, SLICE_MS))); },
  run() { busy = true; lastView = performance.now(); handle(JSON.parse(wb.command('run', 0, SLICE_MS))); },
  back() {
    if (busy) return;
    const refusal = wb.stepBack();
    post('back', { view: view(), refusal });
  },
  stop() { wb.stop(); },
  clock(m) {
    wb.setClock(m.kHz);
    if (!busy) post('view', { view: view() });
  },
  answer(m) {
    wb.answer(m.text, m.ok);
    handle(JSON.parse(wb.resume(SLICE_MS)));
  },
  breakpoint(m) { wb.setBreakpoint(m.line, m.on); },
  choose(m) { if (!busy) { wb.choose(m.line); post('view', { view: view() }); } },
  scroll(m) { wb.scroll(m.stack, m.action, 0); post('view', { view: view() }); },
  goTo(m) { wb.dumpGoTo(m.address); post('view', { view: view() }); },
  editRequest(m) {
    const request = JSON.parse(wb.inputRequest(m.port, m.index));
    if (request) post('editRequest', { request, port: m.port, index: m.index });
  },
  edit(m) {
    const ok = m.port ? wb.setInputPortTyped(m.index, m.typed) : wb.setRegisterPairTyped(m.index, m.typed);
    post('messages', { messages: JSON.parse(wb.takeMessages()) });
    post('view', { view: view(), ok });
  },
  files() { post('files', { files: listFiles() }); },
  upload(m) {
    Module.FS.writeFile(`${FILES}/${m.name}`, new Uint8Array(m.bytes));
    sync().then(() => post('files', { files: listFiles() }));
  },
  download(m) { post('download', { name: m.name, bytes: Module.FS.readFile(`${FILES}/${m.name}`) }); },
  remove(m) {
    Module.FS.unlink(`${FILES}/${m.name}`);
    sync().then(() => post('files', { files: listFiles() }));
  },
  state(m) { post('state', { state: JSON.parse(wb.state(m.start, m.count, wb.selectedLine())) }); },
};

onmessage = e => {
  const m = e.data;
  if (!wb) return;
  commands[m.type](m);
};

createVerdin().then(M => {
  Module = M;
  wb = new Module.Workbench();
  Module.FS.mkdir(FILES);
  Module.FS.mount(Module.FS.filesystems.IDBFS, {}, FILES);
  Module.FS.syncfs(true, () => post('ready', { files: listFiles() }));
});
