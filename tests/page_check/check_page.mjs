// Opens a page made by pixdeck-cli in Debian's chromium (never a downloaded
// browser) and checks that every picture on it loaded, that each picture's
// caption names the file it shows, as it is (blanks and direction kept), with
// the size the file system reports after it, that
// no script runs, and that the page is valid UTF-8 with one line per picture.
//
//   node check_page.mjs PAGE EXPECTED_PICTURE_COUNT
import { chromium } from 'playwright-core';
import { readFileSync, statSync } from 'node:fs';
import { pathToFileURL } from 'node:url';

const [page_path, expected_text] = process.argv.slice(2);
if (!page_path || !expected_text) {
  console.error('usage: node check_page.mjs PAGE EXPECTED_PICTURE_COUNT');
  process.exit(2);
}
const expected = Number(expected_text);

// The bytes of a file URL's path: "%XX" is one byte, anything else its UTF-8.
// A file name need not be UTF-8, so the path cannot go through a string.
function urlPathBytes(pathname) {
  const bytes = [];
  for (let i = 0; i < pathname.length; i += 1) {
    if (pathname[i] === '%' && /^[0-9A-Fa-f]{2}$/.test(pathname.slice(i + 1, i + 3))) {
      bytes.push(parseInt(pathname.slice(i + 1, i + 3), 16));
      i += 2;
    } else {
      const code = pathname.codePointAt(i);
      if (code > 0xFFFF) i += 1;
      bytes.push(...Buffer.from(String.fromCodePoint(code), 'utf8'));
    }
  }
  return Buffer.from(bytes);
}

// The printable ASCII characters of a text, in order: what a readable caption
// must show of any name, whatever stands in for the rest.
const printableAscii = (text) => [...text].filter((c) => c >= ' ' && c <= '~').join('');

const fail = (why) => { failures += 1; console.error(`FAIL: ${why}`); };
let failures = 0;

// The file itself: valid UTF-8, every picture on a line of its own.
const file = readFileSync(page_path);
try {
  new TextDecoder('utf-8', { fatal: true }).decode(file);
} catch {
  fail('the page is not valid UTF-8');
}
const lines = file.toString('latin1').split('\r\n');
if (lines.pop() !== '') fail('the last line has no CR LF');
if (lines.some((line) => /[\r\n]/.test(line))) fail('a line break that is not CR LF');
const entryLines = lines.filter((line) => line.startsWith('<IMG SRC='));
if (entryLines.length !== expected) fail(`${entryLines.length} picture lines, expected ${expected}`);
if (entryLines.some((line) => !line.endsWith(' bytes)<P>'))) fail('a picture line is cut short');

const browser = await chromium.launch({
  executablePath: process.env.CHROMIUM || '/usr/bin/chromium',
  args: ['--headless', '--no-sandbox', '--disable-gpu', '--no-first-run',
         '--disable-background-networking', '--disable-component-update', '--disable-sync'],
});
try {
  const page = await browser.newPage();
  page.on('dialog', async (dialog) => {
    fail(`a script ran and opened a ${dialog.type()}: ${dialog.message()}`);
    await dialog.dismiss();
  });
  await page.goto(pathToFileURL(page_path).href, { waitUntil: 'load' });
  const report = await page.evaluate(() => ({
    charset: document.characterSet,
    title: document.title,
    text: document.body.innerText,
    scripts: document.scripts.length,
    handlers: [...document.querySelectorAll('*')].flatMap((element) =>
      [...element.attributes].filter((a) => a.name.startsWith('on')).map((a) => a.name)),
    images: [...document.images].map((img) => {
      // The caption is everything between the picture's line break and the
      // paragraph that follows, as the page shows it (blanks the layout
      // drops or folds are gone from the selection's text too).
      const br = img.nextSibling;
      let end = br;
      while (end && end.nodeName !== 'P') end = end.nextSibling;
      const caption = document.createRange();
      caption.setStartAfter(br);
      if (end) caption.setEndBefore(end); else caption.setEndAfter(img.parentNode.lastChild);
      const selection = getSelection();
      selection.removeAllRanges();
      selection.addRange(caption);
      const shownText = selection.toString();
      selection.removeAllRanges();
      // The size's " (" must be drawn after the whole name, left to right: a
      // name cannot turn the direction of what follows it.
      const sizeNode = end ? end.previousSibling : img.parentNode.lastChild;
      let sizeAfterName = true;
      const at = sizeNode && sizeNode.nodeType === Node.TEXT_NODE ? sizeNode.data.lastIndexOf(' (') : -1;
      if (at >= 0) {
        const name = document.createRange();
        name.setStartAfter(br);
        name.setEnd(sizeNode, at);
        const open = document.createRange();
        open.setStart(sizeNode, at);
        open.setEnd(sizeNode, at + 2);
        const nameRects = [...name.getClientRects()].filter((r) => r.width > 0);
        const openRects = [...open.getClientRects()].filter((r) => r.width > 0);
        if (nameRects.length > 0 && openRects.length > 0) {
          const nameRight = Math.max(...nameRects.map((r) => r.right));
          sizeAfterName = Math.min(...openRects.map((r) => r.left)) >= nameRight - 0.5;
        }
      }
      return {
        src: img.src,
        loaded: img.complete && img.naturalWidth > 0,
        width: img.naturalWidth,
        caption: shownText,
        sizeAfterName,
      };
    }),
  }));
  if (report.charset !== 'UTF-8') fail(`page encoding is ${report.charset}`);
  if (!report.title.startsWith('Images: ')) fail(`title is "${report.title}"`);
  if (report.scripts !== 0) fail(`${report.scripts} script elements on the page`);
  if (report.handlers.length !== 0) fail(`event handlers on the page: ${report.handlers}`);
  if (report.images.length !== expected) {
    fail(`${report.images.length} pictures on the page, expected ${expected}`);
  }
  for (const image of report.images) {
    const url = new URL(image.src);
    const bytes = urlPathBytes(url.pathname);
    const nameBytes = bytes.subarray(bytes.lastIndexOf(0x2F) + 1);
    const name = nameBytes.toString('utf8');
    const shown = image.caption.match(/^(.*) \((\d+) bytes\)$/s);
    if (!image.loaded) fail(`picture did not load: ${image.src}`);
    if (!image.sizeAfterName) fail(`the size of ${image.src} is not shown after its name`);
    if (url.protocol === 'file:') {
      let size = null;
      try { size = statSync(bytes).size; } catch { fail(`no file for ${image.src}`); }
      if (!shown || Number(shown[2]) !== size) {
        fail(`caption "${image.caption}" does not show the size ${size} of ${image.src}`);
      }
    }
    if (!shown) {
      fail(`no caption for "${name}"`);
    } else if (/[\x00-\x1F\x7F]/.test(shown[1])) {
      fail(`the caption of "${image.src}" holds a control character`);
    } else if (Buffer.from(name, 'utf8').equals(nameBytes) && !/[\x00-\x1F\x7F]/.test(name)) {
      if (shown[1] !== name) fail(`caption "${shown[1]}" for "${name}"`);
    } else if (printableAscii(shown[1]) !== printableAscii(nameBytes.toString('latin1'))) {
      fail(`caption "${shown[1]}" is no readable form of ${image.src}`);
    }
    console.log(`${image.loaded ? 'ok  ' : 'FAIL'} ${image.width}px ${JSON.stringify(image.caption)}`);
  }
} finally {
  await browser.close();
}
console.log(failures === 0 ? 'page check: all pictures loaded' : `page check: ${failures} failure(s)`);
process.exit(failures === 0 ? 0 : 1);
