// The browser page's figures: what it transfers (every file it loads,
// gzip-compressed as a static host sends it) and the time from navigation
// to an idle window with the focus in its first field, in headless
// Chromium, against the baseline page (web_baseline.html: the same
// controls as plain HTML, no program). Launches alternate, each in a fresh
// browser context (nothing cached); medians are printed.
// Usage: node bench/web_page_bench.mjs PAGE_DIR [RUNS]
import { createRequire } from 'node:module';
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import zlib from 'node:zlib';

const require = createRequire(new URL('../tests/web/package.json', import.meta.url));
const { chromium } = require('playwright-core');

const pageDir = path.resolve(process.argv[2] || 'build/web/page');
const runs = Number(process.argv[3] || 21);
const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
                '.wasm': 'application/wasm', '.png': 'image/png', '.jpg': 'image/jpeg' };
const baseline = fs.readFileSync(new URL('web_baseline.html', import.meta.url));

// Each file gzip-compressed once, as a static host keeps it; the bytes sent are counted per page load.
const compressed = new Map();
function body(name) {
  if (!compressed.has(name)) {
    const file = name === '/baseline.html' ? baseline : fs.readFileSync(path.join(pageDir, name));
    compressed.set(name, zlib.gzipSync(file, { level: 9 }));
  }
  return compressed.get(name);
}
let sent = 0;
const server = http.createServer((request, response) => {
  let name = new URL(request.url, 'http://127.0.0.1').pathname;
  if (name === '/') name = '/index.html';
  if (name !== '/baseline.html' && !fs.existsSync(path.join(pageDir, name))) { response.writeHead(404).end(); return; }
  const data = body(name);
  sent += data.length;
  response.writeHead(200, { 'Content-Type': types[path.extname(name)], 'Content-Encoding': 'gzip',
                            'Cache-Control': 'no-store' });
  response.end(data);
});
await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
const base = `http://127.0.0.1:${server.address().port}`;

const browser = await chromium.launch({
  executablePath: process.env.ORVANTA_CHROMIUM || '/usr/bin/chromium',
  args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
         '--disable-component-update', '--disable-sync'],
});
// Milliseconds from navigation start until the window is shown, idle and focused, and the bytes it took.
async function launch(url, ready) {
  const context = await browser.newContext({ viewport: { width: 800, height: 600 } });
  const page = await context.newPage();
  sent = 0;
  await page.goto(url, { waitUntil: 'commit' });
  const ms = await (await page.waitForFunction(ready, null, { polling: 'raf' })).jsonValue();
  await page.waitForLoadState('load');
  const bytes = sent;
  await context.close();
  return { ms, bytes };
}
const orvantaReady = () => typeof orvantaPage !== 'undefined' && orvantaPage.idle() &&
  document.activeElement && document.activeElement.getAttribute('aria-label') === '当前等级' && performance.now();
const baselineReady = () => document.readyState === 'complete' &&
  document.activeElement && document.activeElement.id === 'txtGradeCur' && performance.now();

const times = { orvanta: [], baseline: [] };
let bytes = { orvanta: 0, baseline: 0 };
await launch(`${base}/`, orvantaReady);  // the browser's own first start is no page's
for (let i = 0; i < runs; ++i) {
  for (const [name, url, ready] of [['baseline', `${base}/baseline.html`, baselineReady],
                                    ['orvanta', `${base}/`, orvantaReady]]) {
    const r = await launch(url, ready);
    times[name].push(r.ms);
    bytes[name] = r.bytes;
  }
}
await browser.close();
server.close();

const median = (a) => { const s = [...a].sort((x, y) => x - y); return s[Math.floor(s.length / 2)]; };
const files = fs.readdirSync(pageDir).map((f) => `${f} ${body('/' + f).length}`).join(', ');
console.log(`page files, gzip: ${files}`);
console.log(`transfer, gzip: Orvanta ${bytes.orvanta} bytes (aim 250 KB), baseline ${bytes.baseline} bytes`);
console.log(`navigation to idle window, median of ${runs}: Orvanta ${median(times.orvanta).toFixed(1)} ms, ` +
            `baseline ${median(times.baseline).toFixed(1)} ms, ratio ` +
            `${(median(times.orvanta) / median(times.baseline)).toFixed(2)}x (aim 1.5x)`);
