// The browser edition's run loop against verdin-cli's: one long loop run natively and
// through the WebAssembly module as the page's worker runs it (Run in slices of 10 ms
// until it ends), both timed, in lines per second. The target is a third of native.
//
//   node --no-experimental-fetch bench/web_speed.js build-web/site/verdin.js build/verdin-cli
'use strict';
const fs = require('fs');
const os = require('os');
const path = require('path');
const { spawnSync } = require('child_process');

const [modulePath, cliPath] = process.argv.slice(2).map(p => path.resolve(p));
const OUTER = 200;
const program = [
  '        MVI  D,' + OUTER,
  'OUTER:  LXI  B,0FFFFH',
  'INNER:  DCX  B',
  '        MOV  A,B',
  '        ORA  C',
  '        JNZ  INNER',
  '        DCR  D',
  '        JNZ  OUTER',
  '        HLT',
];
const lines = 1 + OUTER * (1 + 65535 * 4 + 2) + 1;

function nativeSeconds(file) {
  const t0 = process.hrtime.bigint();
  const r = spawnSync(cliPath, ['run', file], { stdio: 'ignore' });
  if (r.status !== 0) throw new Error(`verdin-cli failed on ${file}`);
  return Number(process.hrtime.bigint() - t0) / 1e9;
}

async function main() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'verdin-bench-'));
  const file = path.join(dir, 'loop.asm');
  const empty = path.join(dir, 'empty.asm');
  fs.writeFileSync(file, program.join('\n') + '\n');
  fs.writeFileSync(empty, '        HLT\n');
  // The process's own start-up is not the run loop's.
  const start = Math.min(...[0, 1, 2].map(() => nativeSeconds(empty)));
  const native = Math.min(...[0, 1, 2].map(() => nativeSeconds(file))) - start;

  const Module = await require(modulePath)({ print: () => {}, printErr: () => {} });
  let web = Infinity;
  let slices = 0;
  for (let k = 0; k < 3; ++k) {
    const wb = new Module.Workbench();
    if (!wb.startDebug(program.join('\n'), false, false, '/', false)) throw new Error('the module did not compile it');
    const t0 = performance.now();
    let r = JSON.parse(wb.command('run', 0, 10));
    slices = 1;
    while (r.suspended) {
      r = JSON.parse(wb.resume(10));
      ++slices;
    }
    web = Math.min(web, (performance.now() - t0) / 1000);
    wb.delete();
  }
  fs.rmSync(dir, { recursive: true, force: true });
  const mega = s => (lines / s / 1e6).toFixed(1);
  console.log(`${lines} lines`);
  console.log(`verdin-cli:        ${mega(native)} million lines/s`);
  console.log(`wasm, 10 ms slices: ${mega(web)} million lines/s in ${slices} slices`);
  const ratio = native / web;
  console.log(`wasm / native: ${(ratio * 100).toFixed(0)} % (target: at least 33 %)${ratio < 1 / 3 ? ' BELOW TARGET' : ''}`);
}

main().catch(e => { console.error(e); process.exit(1); });
