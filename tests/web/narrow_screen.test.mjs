// On a phone's screen: at 320 CSS pixels the window is scaled down as one,
// keeping its layout, and works with the real keyboard; at 1 to 3 device
// pixels to the CSS pixel, the icon comes from the image of that resolution.
import test from 'node:test';
import assert from 'node:assert/strict';
import { settled, withOrvanta } from './page_session.mjs';

const box = (locator) => locator.boundingBox();

for (const scale of [1, 2, 3]) {
  test(`320 CSS pixels at ${scale} device pixel(s) each: the window scaled whole, a calculation by Enter`, () => withOrvanta({ width: 320, scale }, async ({ page, errors }) => {
    const window = await box(page.locator('section.window'));
    assert.ok(window.x >= 0 && window.x + window.width <= 320, JSON.stringify(window));
    // Scaled, not reflowed: the buttons stand on one row, at the layout's distances scaled alike.
    const [about, calculate, exit] = await Promise.all(['关于(A)...', '计算', '退出'].map(
      (name) => box(page.getByRole('button', { name }))));
    const factor = window.width / 377;  // the window's width at full size: client area and borders
    assert.ok(factor > 0.8 && factor < 0.86, String(factor));
    assert.equal(Math.round(about.y), Math.round(exit.y));
    assert.ok(Math.abs(exit.x - calculate.x - 80 * factor) < 1.5, `${calculate.x} ${exit.x}`);
    const icon = await page.locator('section .window-icon').evaluate((e) => e.currentSrc);
    assert.match(icon, new RegExp(`icon-${16 * scale}\\.png$`));

    await page.keyboard.type('3');
    await page.keyboard.press('Enter');
    await settled(page);
    assert.match(await page.getByRole('textbox', { name: '计算结果' }).inputValue(), /约需天数：299天/);

    await page.keyboard.press('Alt+A');
    await settled(page);
    const aboutWindow = await box(page.getByRole('dialog', { name: '关于' }));
    assert.ok(aboutWindow.x >= 0 && aboutWindow.x + aboutWindow.width <= 320, JSON.stringify(aboutWindow));
    assert.deepEqual(errors, []);
  }));
}
