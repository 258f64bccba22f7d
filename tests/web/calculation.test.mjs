// A calculation with the real keyboard: typed fields, Tab, Enter; the report
// appended to the result box, the focus there, and read aloud; the member
// check box and list. (Tab's order on this window is the toolkits' contract's.)
import test from 'node:test';
import assert from 'node:assert/strict';
import { settled, withOrvanta } from './page_session.mjs';

test('a calculation typed and started by Enter appends its report and moves the focus to it', () => withOrvanta({}, async ({ page, site, errors }) => {
  const focusedName = () => page.evaluate(() => document.activeElement.getAttribute('aria-label'));
  assert.equal(await focusedName(), '当前等级');
  await page.keyboard.type('10');
  await page.keyboard.press('Tab');
  await settled(page);
  assert.equal(await focusedName(), '目标等级(可直接输入)');
  // Full-width digits, as a Chinese input method types them, read as typed.
  await page.keyboard.insertText('１６');
  await page.keyboard.press('Tab');  // the member check box
  await page.keyboard.press('Tab');  // the member list is disabled: straight to the remaining days
  await settled(page);
  assert.equal(await focusedName(), '下次升级剩余天数:');
  await page.keyboard.type('-5');  // normalised to 5 by the calculation, as by leaving the field
  await page.keyboard.press('Enter');
  await settled(page);
  const result = page.getByRole('textbox', { name: '计算结果' });
  const report = await result.inputValue();
  assert.match(report, /约需天数：160天/);
  assert.match(report, /下次升级：5天/);
  assert.equal(await focusedName(), '计算结果');
  assert.equal(await page.getByRole('textbox', { name: '目标等级(可直接输入)' }).inputValue(), '16');
  await page.waitForFunction(() => document.getElementById('announcer').textContent.includes('160天'));

  // A second report goes under the first, and the box shows its end.
  await page.keyboard.press('Enter');
  await settled(page);
  assert.equal((await result.inputValue()).split('约需天数：160天').length, 3);
  const scrolled = await result.evaluate((e) => e.scrollTop + e.clientHeight >= e.scrollHeight - 1);
  assert.ok(scrolled, 'the newest report is in view');

  // The member check box, ticked and cleared by the mouse, enables and disables the member list.
  const vip = page.getByRole('combobox', { name: '会员等级' });
  for (const enabled of [true, false]) {
    await page.getByRole('checkbox', { name: '我是会员' }).click();
    await settled(page);
    assert.equal(await vip.isEnabled(), enabled);
  }
  assert.equal(await vip.evaluate((e) => e.selectedOptions[0].text), 'VIP1');

  // The page loaded nothing but its own files and reported nothing.
  assert.deepEqual(errors, []);
  assert.ok(site.requests.every((r) => /^\/[\w.-]*$/.test(r)), site.requests.join(' '));
}));
