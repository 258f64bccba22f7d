// The warnings with the real keyboard: the message box over the window, its
// text and title byte for byte, and the focus going to the field at fault
// only once the box is closed.
import test from 'node:test';
import assert from 'node:assert/strict';
import { settled, withOrvanta } from './page_session.mjs';

async function enterAndReadBox(page) {
  await page.keyboard.press('Enter');
  await settled(page);
  const box = page.getByRole('alertdialog');
  await box.waitFor();
  const seen = {
    title: await box.locator('.caption').textContent(),
    text: await box.locator('.message-text').textContent(),
    focused: await page.evaluate(() => document.activeElement.textContent),
  };
  return { box, seen };
}

test('a target below the current level: the message, then the focus in the current level', () => withOrvanta({}, async ({ page }) => {
  const current = page.getByRole('textbox', { name: '当前等级' });
  await page.keyboard.type('20');
  await page.keyboard.press('Tab');
  await page.keyboard.type('15');
  const { box, seen } = await enterAndReadBox(page);
  assert.deepEqual(seen, { title: 'Orvanta', text: '晕...你这是升级还是降级？！', focused: '确定' });
  // While the box is open the window takes no input.
  await page.getByRole('button', { name: '计算' }).click({ force: true, timeout: 1000 }).catch(() => {});
  await settled(page);
  assert.equal(await page.getByRole('alertdialog').count(), 1);
  assert.equal(await page.evaluate(() => document.activeElement.textContent), '确定');
  await page.keyboard.press('Enter');
  await settled(page);
  await box.waitFor({ state: 'detached' });
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), '当前等级');
  assert.deepEqual(await current.evaluate((e) => [e.value, e.selectionStart, e.selectionEnd]), ['20', 0, 2]);
  assert.equal(await page.getByRole('textbox', { name: '计算结果' }).inputValue(), '');
}));

test('a number out of range: the overflow message, then the focus in that field', () => withOrvanta({}, async ({ page }) => {
  const target = page.getByRole('textbox', { name: '目标等级(可直接输入)' });
  await page.keyboard.press('Tab');
  await page.keyboard.type('99999999999');
  const { box, seen } = await enterAndReadBox(page);
  assert.deepEqual(seen, { title: 'Orvanta', text: '数值超出范围，无法计算。', focused: '确定' });
  await page.keyboard.press('Escape');  // a box with OK alone closes by Esc too
  await box.waitFor({ state: 'detached' });
  await settled(page);
  assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')),
               '目标等级(可直接输入)');
  assert.equal(await target.inputValue(), '99999999999');
}));
