// The About window with the real keyboard and mouse: modal over the main
// window, closed with the focus back where it was, and its three links
// opened as the page's own links are. Nothing is opened outside the page:
// the links are observed on their way out, and any request elsewhere is refused.
import test from 'node:test';
import assert from 'node:assert/strict';
import { settled, withOrvanta } from './page_session.mjs';

const focusedText = (page) => page.evaluate(() => document.activeElement.textContent);

async function openAbout(page) {
  await page.keyboard.press('Alt+A');
  await settled(page);
  const about = page.getByRole('dialog', { name: '关于' });
  await about.waitFor();
  return about;
}

test('About is modal: the main window takes no input, Esc does nothing, OK gives the focus back', () => withOrvanta({}, async ({ page }) => {
  const about = await openAbout(page);
  assert.equal(await focusedText(page), '确定');
  assert.ok(await about.locator('.window-icon').isVisible(), "the main window's icon");
  await page.getByRole('button', { name: '计算' }).click({ force: true, timeout: 1000 }).catch(() => {});
  await page.keyboard.press('Escape');
  await settled(page);
  assert.ok(await about.isVisible());
  assert.equal(await page.getByRole('textbox', { name: '计算结果' }).inputValue(), '');

  await page.keyboard.press('Enter');
  await settled(page);
  await about.waitFor({ state: 'detached' });
  assert.equal(await focusedText(page), '关于(A)...');
  await page.keyboard.press('Tab');
  assert.equal(await focusedText(page), '计算');
  // And again, afresh: the close box closes it too, and Alt+A had put the focus on the About button.
  const again = await openAbout(page);
  await again.getByRole('button', { name: '关闭' }).click();
  await settled(page);
  await again.waitFor({ state: 'detached' });
  assert.equal(await focusedText(page), '关于(A)...');
}));

// Records what the page asks the browser to open, then lets it through.
function observeLinks() {
  window.openedLinks = [];
  const open = window.open;
  window.open = function (url, target, features) {
    window.openedLinks.push({ url, target, features });
    return open.call(this, url, target, features);
  };
  const click = HTMLAnchorElement.prototype.click;
  HTMLAnchorElement.prototype.click = function () {
    if (!this.isConnected) window.openedLinks.push({ url: this.href, rel: this.rel });
    return click.call(this);
  };
}

test('the About links: the home page in a new tab without opener, the chat and mail links handed on', () => withOrvanta({}, async ({ page, context, site }) => {
  await context.route('**/*', (route) =>
    route.request().url().startsWith(site.url) ? route.continue() : route.abort());
  await page.addInitScript(observeLinks);
  await page.reload();
  await page.locator('section.window').waitFor();
  await settled(page);
  const about = await openAbout(page);
  const links = about.getByRole('link');
  assert.deepEqual(await links.allTextContents(), ['https://orvanta.example.com/', '20080513',
                                                   'orvanta@example.com']);
  for (const link of await links.all()) {
    assert.match(await link.evaluate((e) => getComputedStyle(e).cursor), /hand\.png/);
  }
  const popup = context.waitForEvent('page');
  for (const link of await links.all()) {
    await link.click();
    await settled(page);
  }
  await (await popup).close();
  assert.deepEqual(await page.evaluate(() => window.openedLinks), [
    { url: 'https://orvanta.example.com/', target: '_blank', features: 'noopener,noreferrer' },
    { url: 'tovix://message?uin=20080513&Site=Orvanta&Menu=yes', rel: 'noopener noreferrer' },
    { url: 'mailto:orvanta@example.com', rel: 'noopener noreferrer' },
  ]);
  // Where nothing handles the chat link or mail, nothing shows: the page stays as it was.
  assert.equal(page.url(), site.url);
  assert.ok(await about.isVisible());
  assert.equal(await focusedText(page), '确定');
}));
