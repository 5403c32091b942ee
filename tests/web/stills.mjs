// Renders stills of the site in headless Chromium: for each time, a fresh page at
// URL?still=TIME, read back from the canvas once the program says the still is ready.
//   node --experimental-websocket tests/web/stills.mjs URL OUT_DIR TIME...
// Writes OUT_DIR/still-TIME.png, and prints the time from opening the first page to its still.

import fs from 'node:fs';
import path from 'node:path';

import { launch } from './chromium.mjs';

const kStillTimeoutMs = 120000;
const kPagesAtOnce = 2;

const [url, outDir, ...times] = process.argv.slice(2);
if (!url || !outDir || times.length === 0) {
  console.error('usage: stills.mjs URL OUT_DIR TIME...');
  process.exit(2);
}
fs.mkdirSync(outDir, { recursive: true });

async function still(browser, time) {
  const page = await browser.newPage();
  const opened = Date.now();
  await page.goto(`${url}?still=${time}`);
  await page.waitForConsole('zentrox: still ready', kStillTimeoutMs);
  const shownMs = Date.now() - opened;
  fs.writeFileSync(path.join(outDir, `still-${time}.png`), await page.canvasPng());
  await page.close();
  return shownMs;
}

const browser = await launch({ width: 800, height: 600 });
try {
  const firstMs = await still(browser, times[0]);
  console.log(`first still shown ${firstMs} ms after opening the page`);
  let next = 1;
  const worker = async () => {
    while (next < times.length) {
      await still(browser, times[next++]);
    }
  };
  await Promise.all(Array.from({ length: kPagesAtOnce }, worker));
} finally {
  await browser.close();
}
