// Opens a gallery made by pixdeck-cli in Debian's chromium (never a
// downloaded browser) and checks what a gallery promises, page by page,
// following the pages' own links from the first: every thumbnail loads at
// the size the page gives, every picture link opens a picture that loads
// (those listed without a thumbnail excepted), no script is on any page, the
// grid needs no sideways scrolling on a phone 360 pixels wide, and the pages
// link up: next to the end, previous back, first to the first.
//
//   node check_gallery.mjs FIRST_PAGE PICTURE_COUNT PAGE_COUNT
import { chromium } from 'playwright-core';
import { pathToFileURL } from 'node:url';

const [firstPath, countText, pagesText] = process.argv.slice(2);
if (!firstPath || !countText || !pagesText) {
  console.error('usage: node check_gallery.mjs FIRST_PAGE PICTURE_COUNT PAGE_COUNT');
  process.exit(2);
}
const expectedCount = Number(countText);
const expectedPages = Number(pagesText);

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
let failures = 0;
const fail = (why) => { failures += 1; console.error(`FAIL: ${why}`); };
try {
  const context = await browser.newContext({ viewport: { width: 360, height: 740 } });
  const page = await context.newPage();
  const consoleErrors = [];
  page.on('pageerror', (error) => consoleErrors.push(String(error)));
  const firstUrl = pathToFileURL(firstPath).href;
  let url = firstUrl;
  let pictures = 0;
  const seen = [];
  for (let number = 1; url; number += 1) {
    if (seen.includes(url)) { fail(`page ${number} links back to ${url}`); break; }
    seen.push(url);
    const response = await page.goto(url, { waitUntil: 'load' });
    if (!response || !response.ok()) { fail(`page ${number} did not open: ${url}`); break; }
    const facts = await page.evaluate(() => ({
      scripts: document.scripts.length,
      handlers: [...document.querySelectorAll('*')].filter(
        (e) => [...e.attributes].some((a) => a.name.startsWith('on'))).length,
      javascriptLinks: [...document.querySelectorAll('[href],[src]')].filter(
        (e) => /^\s*javascript:/i.test(e.getAttribute('href') || e.getAttribute('src'))).length,
      nav: document.querySelector('nav') ? document.querySelector('nav').innerText : '',
      figures: document.querySelectorAll('figure').length,
      scrollWidth: document.documentElement.scrollWidth,
      clientWidth: document.documentElement.clientWidth,
      next: document.querySelector('a[rel=next]') ? document.querySelector('a[rel=next]').href : null,
      prev: document.querySelector('a[rel=prev]') ? document.querySelector('a[rel=prev]').href : null,
      first: [...document.querySelectorAll('nav a')].find((a) => a.textContent === 'first')?.href ?? null,
      charset: document.characterSet,
      viewport: document.querySelector('meta[name=viewport]') !== null,
    }));
    if (facts.scripts !== 0 || facts.handlers !== 0 || facts.javascriptLinks !== 0) {
      fail(`page ${number}: ${facts.scripts} scripts, ${facts.handlers} handlers, ` +
           `${facts.javascriptLinks} javascript: links`);
    }
    if (facts.charset !== 'UTF-8' || !facts.viewport) fail(`page ${number}: no UTF-8 or no viewport`);
    if (facts.scrollWidth > facts.clientWidth) {
      fail(`page ${number} scrolls sideways at 360 px: ${facts.scrollWidth} > ${facts.clientWidth}`);
    }
    if (expectedPages > 1 && !facts.nav.includes(`page ${number} of ${expectedPages}`)) {
      fail(`page ${number} says "${facts.nav}"`);
    }
    if (number > 1 && facts.prev !== seen[seen.length - 2]) fail(`page ${number}: previous is ${facts.prev}`);
    if (number > 1 && facts.first !== firstUrl) fail(`page ${number}: first is ${facts.first}`);
    pictures += facts.figures;

    // Scroll to the end a screen at a time so that every lazy thumbnail
    // loads, then look at each.
    const height = await page.evaluate(() => document.documentElement.scrollHeight);
    for (let y = 0; y < height; y += 600) {
      await page.evaluate((top) => window.scrollTo(0, top), y);
      await page.waitForTimeout(30);
    }
    try {
      await page.waitForFunction(
        () => [...document.images].every((img) => img.complete), null, { timeout: 20000 });
    } catch {
      // reported picture by picture below
    }
    const report = await page.evaluate(async () => {
      const thumbnails = [...document.images].map((img) => ({
        alt: img.alt,
        natural: [img.naturalWidth, img.naturalHeight],
        given: [Number(img.getAttribute('width')), Number(img.getAttribute('height'))],
        loading: img.getAttribute('loading'),
        inView: img.getBoundingClientRect().right <= document.documentElement.clientWidth,
      }));
      // Every picture link with a thumbnail must open a picture that loads.
      const load = (src) => new Promise((resolve) => {
        const img = new Image();
        img.onload = () => resolve(img.naturalWidth > 0);
        img.onerror = () => resolve(false);
        img.src = src;
      });
      const links = [];
      for (const figure of document.querySelectorAll('figure')) {
        const a = figure.querySelector('a');
        const shown = figure.querySelector('img') !== null;
        links.push({ href: a.href, shown, loads: shown ? await load(a.href) : null,
                     caption: figure.querySelector('figcaption').textContent });
      }
      return { thumbnails, links };
    });
    for (const t of report.thumbnails) {
      if (t.natural[0] === 0) fail(`thumbnail of ${t.alt} did not load`);
      else if (t.natural.join('x') !== t.given.join('x')) {
        fail(`${t.alt}: the page gave ${t.given.join('x')}, the thumbnail is ${t.natural.join('x')}`);
      }
      if (t.given[0] > 320 || t.given[1] > 320) fail(`${t.alt}: thumbnail larger than 320`);
      if (t.loading !== 'lazy') fail(`${t.alt}: not lazy`);
      if (!t.inView) fail(`${t.alt}: sticks out to the right at 360 px`);
    }
    for (const l of report.links) {
      if (l.shown && !l.loads) fail(`the link of ${l.caption} does not load a picture: ${l.href}`);
    }
    console.log(`page ${number}: ${facts.figures} pictures, ${report.thumbnails.length} thumbnails, ` +
                `${report.links.filter((l) => !l.shown).length} without; "${facts.nav}"`);
    url = facts.next;
  }
  if (seen.length !== expectedPages) fail(`${seen.length} pages linked up, expected ${expectedPages}`);
  if (pictures !== expectedCount) fail(`${pictures} pictures on the pages, expected ${expectedCount}`);
  // Back from the last page by "previous" alone reaches the first.
  let back = 0;
  for (let u = seen[seen.length - 1]; u; back += 1) {
    await page.goto(u);
    u = await page.evaluate(() => document.querySelector('a[rel=prev]')?.href ?? null);
    if (back > expectedPages) { fail('previous links run in a circle'); break; }
  }
  if (back !== expectedPages) fail(`previous links walk ${back} pages, expected ${expectedPages}`);
  if (consoleErrors.length > 0) fail(`errors on the pages: ${consoleErrors.join('; ')}`);
} finally {
  await browser.close();
}
console.log(failures === 0 ? 'gallery check: passed' : `gallery check: ${failures} failure(s)`);
process.exit(failures === 0 ? 0 : 1);
