// The site with files missing or damaged, as a broken upload leaves it: the demo still loads,
// plays and shows stills, silently (no error on the page, no message in place of the picture);
// and a browser without WebGL 2 gets a message, never a blank canvas.
//   node --experimental-websocket tests/web/damaged_site_test.mjs DAMAGED_URL SILENT_URL GOOD_URL
// DAMAGED_URL's site lacks some files and holds others cut short or overwritten; SILENT_URL's
// lacks the music.

import { launch } from './chromium.mjs';

const [damagedUrl, silentUrl, goodUrl] = process.argv.slice(2);
const failures = [];

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) {
    failures.push(what);
  }
}

const messageShown = `!document.getElementById('message').hidden`;

async function playsFor(page, seconds) {
  await page.waitFor(`!document.getElementById('start-card').hidden`, 60000);
  await page.click(400, 300);
  await page.waitFor(`zentroxPage.frame && zentroxPage.frame.seconds > ${seconds}`, 20000);
}

let browser = await launch({ width: 800, height: 600 });
try {
  for (const time of [5, 30, 100, 150]) {
    const page = await browser.newPage();
    await page.goto(`${damagedUrl}?still=${time}`);
    await page.waitForConsole('zentrox: still ready', 60000);
    check(!(await page.evaluate(messageShown)), `a damaged site shows the still at ${time} s`);
    await page.close();
  }
  const damaged = await browser.newPage();
  await damaged.goto(damagedUrl);
  await playsFor(damaged, 2);
  check(true, 'a damaged site plays');

  const silent = await browser.newPage();
  await silent.goto(silentUrl);
  await playsFor(silent, 2);
  check(true, 'a site without its music plays, silently, on the page\'s clock');
  const errors = [damaged, silent].flatMap((page) => page.consoleMessages())
    .filter((text) => /error|abort|exception/i.test(text));
  check(errors.length === 0, `no errors on the console (${errors.join(' | ')})`);
} finally {
  await browser.close();
}

// NOTE: Chromium's --disable-webgl2 leaves WebGL 1 and takes WebGL 2 away, as an old browser has.
browser = await launch({ width: 800, height: 600, args: ['--disable-webgl2'] });
try {
  const page = await browser.newPage();
  await page.goto(goodUrl);
  await page.waitFor(messageShown, 20000);
  const text = await page.evaluate(`document.getElementById('message-text').textContent`);
  check(/WebGL 2/.test(text), `without WebGL 2 the page says so: '${text}'`);
} finally {
  await browser.close();
}

if (failures.length > 0) {
  console.error(`damaged_site_test: ${failures.length} failed`);
  process.exit(1);
}
console.log('damaged_site_test: all passed');
