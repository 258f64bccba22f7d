// A calculation with the real keyboard: typed fields, Tab, Enter; the report
// appended to the result box, the focus there, and read aloud.
import test from 'node:test';
import assert from 'node:assert/strict';
import { openOrvanta, settled } from './page_session.mjs';

test('a calculation typed and started by Enter appends its report and moves the focus to it', async () => {
  const o = await openOrvanta();
  const { page } = o;
  try {
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

    // The page loaded nothing but its own files and reported nothing.
    assert.deepEqual(o.errors, []);
    assert.ok(o.site.requests.every((r) => /^\/[\w.-]*$/.test(r)), o.site.requests.join(' '));
  } finally {
    await o.close();
  }
});

test('Tab visits the fields in their order, the check box enables the member list', async () => {
  const o = await openOrvanta();
  const { page } = o;
  try {
    const order = [];
    for (let i = 0; i < 9; ++i) {
      order.push(await page.evaluate(() => {
        const e = document.activeElement;
        return e.getAttribute('aria-label') || (e.labels && e.labels[0] ? e.labels[0] : e).textContent.trim();
      }));
      await page.keyboard.press('Tab');
    }
    assert.deepEqual(order, ['当前等级', '目标等级(可直接输入)', '我是会员', '下次升级剩余天数:', '计算结果',
                             '关于(A)...', '计算', '退出', '当前等级']);
    // Back from the first field, Shift+Tab goes round to the last button.
    await page.keyboard.press('Shift+Tab');
    await page.keyboard.press('Shift+Tab');
    await settled(page);
    assert.equal(await page.evaluate(() => document.activeElement.textContent), '退出');

    // Ticked by Space from the keyboard; the list is then a tab stop.
    const vip = page.getByRole('combobox', { name: '会员等级' });
    assert.ok(await vip.isDisabled());
    await page.getByRole('checkbox', { name: '我是会员' }).focus();
    await page.keyboard.press('Space');
    await settled(page);
    assert.ok(await vip.isEnabled());
    assert.equal(await vip.evaluate((e) => e.selectedOptions[0].text), 'VIP1');
    await page.keyboard.press('Tab');
    await settled(page);
    assert.equal(await page.evaluate(() => document.activeElement.getAttribute('aria-label')), '会员等级');
  } finally {
    await o.close();
  }
});
