// Runs the browser toolkit's GoogleTest program in headless Chromium and
// gives it real input: the program awaits orvantaDriver(action, argument)
// for each key press or click, which Playwright carries out in the page.
// Prints the program's output, writes its counts (passed failed skipped)
// for scripts/test, and exits with its exit code.
// Usage: node run_toolkit_tests.mjs TEST_PAGE_DIR COUNTS_FILE
import fs from 'node:fs';
import path from 'node:path';
import { serve, launch } from './page_session.mjs';

const [folder, countsFile] = process.argv.slice(2);
const site = await serve(path.resolve(folder));
const browser = await launch();
let code = 1;
const output = [];
try {
  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  page.on('console', (m) => { output.push(m.text()); console.log(m.text()); });
  page.on('pageerror', (e) => { output.push(String(e)); console.log(String(e)); });
  // A click goes where the user would click, also on a window that a modal
  // one covers; an action that cannot be done is reported, and the test's
  // own checks then fail.
  const click = (selector) => page.locator(selector).last().click({ force: true, timeout: 5000 });
  await page.exposeFunction('orvantaDriver', async (action, argument) => {
    try {
      switch (action) {
        case 'type': await page.keyboard.type(argument); break;
        case 'paste': await page.keyboard.insertText(argument); break;
        case 'press': await page.keyboard.press(argument); break;
        case 'click': await click(argument); break;
        case 'close-message-box': await click('.message-box .push-button'); break;
        default: throw new Error(`unknown action ${action}`);
      }
    } catch (e) {
      console.log(`run_toolkit_tests: ${action} ${argument}: ${e.message.split('\n')[0]}`);
    }
  });
  await page.goto(`${site.url}toolkit_test_page.html`);
  await page.waitForFunction(() => document.title.startsWith('exit '), null, { timeout: 240000, polling: 200 });
  code = Number((await page.title()).slice(5));
} finally {
  await browser.close();
  site.close();
}
const passed = output.filter((l) => l.startsWith('[       OK ]')).length;
const failed = output.filter((l) => l.startsWith('[  FAILED  ]') && / \(\d+ ms\)$/.test(l)).length;
const skipped = output.filter((l) => l.startsWith('[  SKIPPED ]') && / \(\d+ ms\)$/.test(l)).length;
if (countsFile) {
  fs.mkdirSync(path.dirname(countsFile), { recursive: true });
  fs.writeFileSync(countsFile, `${passed} ${failed} ${skipped}\n`);
}
process.exit(code === 0 && failed === 0 ? 0 : 1);
