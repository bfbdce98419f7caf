// Opens a light page made by pixdeck-cli in Debian's chromium (never a
// downloaded browser) and checks what light pages promise: after the page has
// loaded only the pictures near the viewport have been fetched, the page's
// height does not change as pictures arrive, and every picture scrolled into
// view loads at the size the page gave it.
//
//   node check_light_page.mjs PAGE EXPECTED_PICTURE_COUNT
import { chromium } from 'playwright-core';
import { pathToFileURL } from 'node:url';

const [page_path, expected_text] = process.argv.slice(2);
if (!page_path || !expected_text) {
  console.error('usage: node check_light_page.mjs PAGE EXPECTED_PICTURE_COUNT');
  process.exit(2);
}
const expected = Number(expected_text);
const viewport = { width: 1280, height: 1600 };

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
let failures = 0;
const fail = (why) => { failures += 1; console.error(`FAIL: ${why}`); };
try {
  const page = await browser.newPage({ viewport });
  const fetched = new Set();
  page.on('request', (request) => {
    if (request.resourceType() === 'image') fetched.add(request.url());
  });

  await page.goto(pathToFileURL(page_path).href, { waitUntil: 'domcontentloaded' });
  // The height before a single picture has arrived.
  const startHeight = await page.evaluate(() => document.documentElement.scrollHeight);
  await page.waitForLoadState('load');
  await page.waitForTimeout(1000);  // let any eager fetching show itself

  const images = await page.evaluate(() => [...document.images].map((img) => ({
    src: img.src,
    width: img.getAttribute('width'),
    height: img.getAttribute('height'),
    loading: img.getAttribute('loading'),
  })));
  if (images.length !== expected) fail(`${images.length} pictures on the page, expected ${expected}`);
  const unsized = images.filter((img) => img.width === null || img.height === null);
  if (unsized.length > 0) fail(`${unsized.length} pictures without a size, first ${unsized[0].src}`);
  if (images.some((img) => img.loading !== 'lazy')) fail('a picture does not load lazily');

  const afterLoad = fetched.size;
  const loadedAfterLoad = await page.evaluate(
    () => [...document.images].filter((img) => img.naturalWidth > 0).length);
  console.log(`after load: ${afterLoad} of ${images.length} pictures fetched, ` +
              `${loadedAfterLoad} decoded, page ${startHeight}px high`);
  // Near the viewport: a few screens' worth, nowhere near the whole folder.
  if (afterLoad === 0) fail('no picture was fetched at all');
  if (afterLoad > images.length / 10) fail(`${afterLoad} pictures fetched before any scrolling`);

  // Scroll through the whole page a screen at a time; every picture that
  // comes into view must load, at the size the page gave, and the page must
  // keep its height.
  const checked = new Set();
  for (let top = 0; top < startHeight; top += viewport.height) {
    await page.evaluate((y) => window.scrollTo(0, y), top);
    const visible = () => [...document.images].filter((img) => {
      const r = img.getBoundingClientRect();
      return r.bottom > 0 && r.top < window.innerHeight;
    });
    try {
      await page.waitForFunction(
        (fn) => eval(fn)().every((img) => img.complete && img.naturalWidth > 0),
        visible.toString(), { timeout: 15000 });
    } catch {
      // reported picture by picture below
    }
    const report = await page.evaluate((fn) => ({
      height: document.documentElement.scrollHeight,
      shown: eval(fn)().map((img) => ({
        src: img.src,
        natural: [img.naturalWidth, img.naturalHeight],
        given: [Number(img.getAttribute('width')), Number(img.getAttribute('height'))],
        laid: [img.width, img.height],
      })),
    }), visible.toString());
    if (report.height !== startHeight) {
      fail(`page height changed from ${startHeight}px to ${report.height}px at ${top}px`);
      break;
    }
    for (const img of report.shown) {
      if (checked.has(img.src)) continue;
      checked.add(img.src);
      const name = decodeURIComponent(new URL(img.src).pathname.split('/').pop());
      if (img.natural[0] === 0) fail(`picture did not load: ${name}`);
      else if (img.natural.join('x') !== img.given.join('x')) {
        fail(`${name}: the page gave ${img.given.join('x')}, the browser shows ${img.natural.join('x')}`);
      }
      if (img.laid.join('x') !== img.given.join('x')) {
        fail(`${name}: laid out at ${img.laid.join('x')}, the page gave ${img.given.join('x')}`);
      }
    }
  }
  if (checked.size !== images.length) fail(`only ${checked.size} of ${images.length} pictures came into view`);
  console.log(`scrolled: ${checked.size} pictures came into view and were checked, ` +
              `${fetched.size} fetched in all`);
} finally {
  await browser.close();
}
console.log(failures === 0 ? 'light page check: passed' : `light page check: ${failures} failure(s)`);
process.exit(failures === 0 ? 0 : 1);
