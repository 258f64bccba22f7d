// What every browser test of Orvanta's page needs: the page's folder served
// on 127.0.0.1 (an address of this machine only), Debian's Chromium driven
// by playwright-core, and a wait until the program has handled everything.
import http from 'node:http';
import fs from 'node:fs';
import path from 'node:path';
import { chromium } from 'playwright-core';

const types = { '.html': 'text/html; charset=utf-8', '.js': 'text/javascript', '.css': 'text/css',
                '.wasm': 'application/wasm', '.png': 'image/png', '.jpg': 'image/jpeg' };

// Serves `folder` as a static host would; every request is recorded.
export async function serve(folder) {
  const requests = [];
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://127.0.0.1').pathname);
    requests.push(name);
    const file = path.join(folder, name === '/' ? 'index.html' : name);
    if (!file.startsWith(folder + path.sep) || !fs.existsSync(file) || !fs.statSync(file).isFile()) {
      response.writeHead(404).end();
      return;
    }
    response.writeHead(200, { 'Content-Type': types[path.extname(file)] || 'application/octet-stream' });
    fs.createReadStream(file).pipe(response);
  });
  await new Promise((resolve) => server.listen(0, '127.0.0.1', resolve));
  return { url: `http://127.0.0.1:${server.address().port}/`, requests, close: () => server.close() };
}

// Chromium as this machine runs it headless: no sandbox as root, no GPU, and
// none of its own connections to the outside.
export function launch() {
  return chromium.launch({
    executablePath: process.env.ORVANTA_CHROMIUM || '/usr/bin/chromium',
    args: ['--no-sandbox', '--disable-gpu', '--disable-quic', '--no-first-run', '--disable-background-networking',
           '--disable-component-update', '--disable-sync'],
  });
}

export const pageFolder = () => path.resolve(process.env.ORVANTA_PAGE_DIR || 'build/web/page');

// Waits until the program has handled every event and waits for the next.
export async function settled(page) {
  await page.waitForFunction(() => typeof orvantaPage !== 'undefined' && orvantaPage.idle());
}

// The browser, the served page and one tab on it at `width` x 700 CSS
// pixels and `scale` device pixels each, with the program idle in it.
// Console errors (a refused script, a policy report) are collected.
export async function openOrvanta({ width = 800, scale = 1 } = {}) {
  const site = await serve(pageFolder());
  const browser = await launch();
  const context = await browser.newContext({ viewport: { width, height: 700 }, deviceScaleFactor: scale });
  const page = await context.newPage();
  const errors = [];
  page.on('console', (m) => { if (m.type() === 'error') errors.push(m.text()); });
  page.on('pageerror', (e) => errors.push(String(e)));
  await page.goto(site.url);
  await page.locator('section.window').waitFor();
  await settled(page);
  return { site, browser, context, page, errors,
           close: async () => { await browser.close(); site.close(); } };
}

// Runs `steps` on a page opened as openOrvanta opens it, closed whatever happens.
export async function withOrvanta(options, steps) {
  const o = await openOrvanta(options);
  try {
    await steps(o);
  } finally {
    await o.close();
  }
}
