// Opens a page made by pixdeck-cli in Debian's chromium (never a downloaded
// browser) and checks that every picture on it loaded and that each picture's
// caption names the file it shows.
//
//   node check_page.mjs PAGE EXPECTED_PICTURE_COUNT
import { chromium } from 'playwright-core';
import { pathToFileURL } from 'node:url';

const [page_path, expected_text] = process.argv.slice(2);
if (!page_path || !expected_text) {
  console.error('usage: node check_page.mjs PAGE EXPECTED_PICTURE_COUNT');
  process.exit(2);
}
const expected = Number(expected_text);

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
let failures = 0;
try {
  const page = await browser.newPage();
  await page.goto(pathToFileURL(page_path).href, { waitUntil: 'load' });
  const report = await page.evaluate(() => ({
    charset: document.characterSet,
    title: document.title,
    text: document.body.innerText,
    images: [...document.images].map((img) => ({
      src: img.src,
      loaded: img.complete && img.naturalWidth > 0,
      width: img.naturalWidth,
    })),
  }));
  const fail = (why) => { failures += 1; console.error(`FAIL: ${why}`); };
  if (report.charset !== 'UTF-8') fail(`page encoding is ${report.charset}`);
  if (!report.title.startsWith('Images: ')) fail(`title is "${report.title}"`);
  if (report.images.length !== expected) {
    fail(`${report.images.length} pictures on the page, expected ${expected}`);
  }
  for (const image of report.images) {
    const name = decodeURIComponent(new URL(image.src).pathname.split('/').pop());
    if (!image.loaded) fail(`picture did not load: ${image.src}`);
    if (!report.text.includes(`${name} (`)) fail(`no caption for "${name}"`);
    console.log(`${image.loaded ? 'ok  ' : 'FAIL'} ${image.width}px ${name}`);
  }
} finally {
  await browser.close();
}
console.log(failures === 0 ? 'page check: all pictures loaded' : `page check: ${failures} failure(s)`);
process.exit(failures === 0 ? 0 : 1);
