// The browser edition computes what verdin-cli computes: every example and golden
// program is run (and stepped) by the native program and by the WebAssembly module
// under Node, the module in the page's slices of a few lines at a time, and the two
// --state objects and message lines must agree field by field.
//
//   node --no-experimental-fetch same_results.js SITE/verdin.js VERDIN_CLI SOURCE_DIR
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const [modulePath, cliPath, sourceDir] = process.argv.slice(2).map(p => path.resolve(p));
const STEPS = 40;

// Programs: examples/, the golden .asm files, and the plain Run cases of the golden
// case files (no input answers, no budgets, no chained programs).
function programs() {
  const list = [];
  for (const dir of ['examples', 'tests/golden']) {
    for (const name of fs.readdirSync(path.join(sourceDir, dir)).sort()) {
      if (name.endsWith('.asm')) list.push({ name: `${dir}/${name}`, bytes: fs.readFileSync(path.join(sourceDir, dir, name)), options: [] });
    }
  }
  const casesDir = path.join(sourceDir, 'tests/golden/cases');
  for (const file of fs.readdirSync(casesDir).sort()) {
    const lines = fs.readFileSync(path.join(casesDir, file), 'latin1').split('\n');
    let current = null;
    const finish = () => {
      if (current && current.ok && current.lines.length > 0) {
        list.push({ name: `${file}:${current.name}`, bytes: Buffer.from(current.lines.join('\n') + '\n', 'latin1'), options: current.options });
      }
      current = null;
    };
    for (const line of lines) {
      if (line.startsWith('## ')) {
        finish();
        const words = line.slice(3).trim().split(/\s+/);
        const options = [];
        let ok = true;
        for (const w of words.slice(1)) {
          if (w === 'intel') options.push('--intel');
          else if (w === '8085') options.push('--timing', '8085');
          else if (w !== 'quiet') ok = false;
        }
        current = { name: words[0], options, ok, lines: [], done: false };
      } else if (current && !current.done) {
        if (line.startsWith('=> ') || line.startsWith('=>') ) current.done = true;
        else if (line.startsWith('#')) continue;
        else if (line === '<then>' || line.startsWith('*')) current.ok = false;
        else current.lines.push(line === '<empty>' ? '' : line);
      }
    }
    finish();
  }
  return list;
}

function native(file, args) {
  const r = spawnSync(cliPath, [...args, file, '--state', '--memory', '0:16384'],
                      { stdio: ['ignore', 'pipe', 'pipe'], cwd: path.dirname(file), maxBuffer: 1 << 26, timeout: 60000 });
  return { status: r.status, out: r.stdout.toString('latin1'), err: r.stderr.toString('latin1') };
}

function nativeLines(text) {
  return text.split('\n').filter(l => l.length > 0 && !l.startsWith('verdin-cli:'));
}

function messageLines(messages) {
  const out = [];
  for (const m of messages) {
    out.push(m.line);
    if (m.hintLine) out.push(m.hintLine);
  }
  return out;
}

function compare(label, nativeText, webText, faults) {
  const a = JSON.parse(nativeText);
  const b = JSON.parse(webText);
  for (const key of new Set([...Object.keys(a), ...Object.keys(b)])) {
    const x = JSON.stringify(a[key]);
    const y = JSON.stringify(b[key]);
    if (x !== y) faults.push(`${label}: field ${key}: verdin-cli ${x.slice(0, 200)}, wasm ${String(y).slice(0, 200)}`);
  }
}

// One command in slices of 0 ms (each ends at the first pump, after 1024 lines), with
// every "Input value" request cancelled, as verdin-cli's empty standard input does.
function finish(wb, first, messages) {
  let r = JSON.parse(first);
  let slices = 1;
  messages.push(...r.messages);
  while (r.suspended) {
    if (r.waiting) wb.answer('', false);
    r = JSON.parse(wb.resume(0));
    messages.push(...r.messages);
    ++slices;
  }
  return slices;
}

async function main() {
  const createVerdin = require(path.resolve(modulePath));
  const Module = await createVerdin({ print: () => {}, printErr: () => {} });
  const FS = Module.FS;
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), 'verdin-web-'));
  const faults = [];
  let count = 0, sliced = 0;
  for (const [index, program] of programs().entries()) {
    const dir = path.join(tmp, String(index));
    fs.mkdirSync(dir);
    const file = path.join(dir, 'p.asm');
    fs.writeFileSync(file, program.bytes);
    const webDir = `/runs/${index}`;
    FS.mkdirTree(webDir);
    FS.writeFile(`${webDir}/p.asm`, program.bytes);
    const intel = program.options.includes('--intel');
    const t8085 = program.options.includes('8085');

    for (const mode of ['run', 'step']) {
      const args = mode === 'run' ? ['run', ...program.options] : ['step', ...program.options, '--count', String(STEPS)];
      const expected = native(file, args);
      const wb = new Module.Workbench();
      const opened = JSON.parse(wb.openFile(`${webDir}/p.asm`));
      if (!opened.ok) {
        if (expected.status === 0) faults.push(`${program.name}: the module refused the file: ${opened.error}`);
        wb.delete();
        continue;
      }
      const messages = [];
      if (opened.note) messages.push({ line: `Information: ${opened.note}` });
      wb.setDeferInput(true);
      const started = wb.startDebug(wb.text(), intel, t8085, webDir, true);
      messages.push(...JSON.parse(wb.takeMessages()));
      let webState = null;
      if (started) {
        if (mode === 'run') {
          sliced += finish(wb, wb.command('run', 0, 0), messages) > 1 ? 1 : 0;
          webState = wb.state(0, 16384, -1);
        } else {
          let line = 0;
          for (let k = 0; k < STEPS && line < wb.programLineCount(); ++k) {
            finish(wb, wb.command('step', line, 0), messages);
            line = wb.selectedLine();
          }
          webState = wb.state(0, 16384, line);
        }
      }
      const label = `${program.name} (${mode})`;
      if ((expected.out.trim() === '') !== (webState === null)) {
        faults.push(`${label}: verdin-cli ${expected.out.trim() ? 'printed' : 'printed no'} state, the module ${webState ? 'did' : 'did not'}`);
      } else if (webState !== null) {
        compare(label, expected.out.trim(), webState, faults);
      }
      const want = nativeLines(expected.err).join('\n');
      const got = messageLines(messages).join('\n');
      if (want !== got) faults.push(`${label}: messages differ:\n  verdin-cli: ${want}\n  wasm:       ${got}`);
      wb.delete();
      ++count;
    }
  }
  fs.rmSync(tmp, { recursive: true, force: true });
  console.log(`${count} runs and steps compared; ${sliced} runs took more than one slice`);
  if (sliced === 0) faults.push('no run was long enough to take two slices: the slicing went untested');
  if (faults.length > 0) {
    console.error(faults.join('\n'));
    console.error(`${faults.length} difference(s)`);
    process.exit(1);
  }
}

main().catch(e => {
  console.error(e);
  process.exit(1);
});
