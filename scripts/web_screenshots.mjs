// Saves what the page shows a person, for `scripts/run --web` without a
// display: the main window, then the About window after Alt+A, in headless
// Chromium at 800 x 600 CSS pixels.
// Usage: node scripts/web_screenshots.mjs ADDRESS MAIN.png ABOUT.png
import { launch } from '../tests/web/page_session.mjs';

const [address, mainShot, aboutShot] = process.argv.slice(2);
const browser = await launch();
try {
  const page = await browser.newPage({ viewport: { width: 800, height: 600 } });
  await page.goto(address);
  await page.locator('section.window').waitFor();
  await page.waitForFunction(() => orvantaPage.idle());
  await page.screenshot({ path: mainShot });
  await page.keyboard.press('Alt+A');
  await page.getByRole('dialog').waitFor();
  await page.waitForFunction(() => orvantaPage.idle());
  await page.screenshot({ path: aboutShot });
} finally {
  await browser.close();
}
