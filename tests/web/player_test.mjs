// The player in headless Chromium, as a viewer uses it: the start card, playing in step with the
// audio clock, the title, pause, seeks by the address, the arrows and the timeline bar, a seek
// that shows exactly the still of its time, the end and Escape back to the start card.
//   node --experimental-websocket tests/web/player_test.mjs URL

import { decodePng, launch } from './chromium.mjs';

const kFrameSeconds = 1 / 60;
const [url] = process.argv.slice(2);
const failures = [];

function check(ok, what) {
  console.log(`${ok ? 'ok  ' : 'FAIL'} ${what}`);
  if (!ok) {
    failures.push(what);
  }
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

// The frame shown last, the audio clock when it was drawn, and the title.
async function shown(page) {
  return page.evaluate(`({...zentroxPage.frame, title: document.title,
    audioState: Module.music && Module.music.context ? Module.music.context.state : null,
    audioNow: Module.music && Module.music.context ? Module.music.context.currentTime : null,
    cardShown: !document.getElementById('start-card').hidden})`);
}

async function waitForCard(page, timeoutMs) {
  await page.waitFor(`!document.getElementById('start-card').hidden`, timeoutMs);
}

async function seekByAddress(page, seconds) {
  await page.evaluate(`location.hash = '#t=${seconds}'`);
  await page.waitFor(`zentroxPage.frame && zentroxPage.frame.seconds === Math.fround(${seconds})`,
                     20000);
}

async function pixels(page) {
  return decodePng(await page.canvasPng()).data;
}

const browser = await launch({ width: 800, height: 600 });
try {
  const page = await browser.newPage();
  await page.goto(url);
  await waitForCard(page, 60000);
  check(true, 'the start card shows once the site has loaded');
  const firstFrameMs = await page.evaluate('zentroxPage.firstFrameMs');
  console.log(`first frame drawn ${Math.round(firstFrameMs)} ms after the page opened`);

  // Playing: demo time runs with the audio clock.
  await page.click(400, 300);
  await page.waitFor(`zentroxPage.frame && !zentroxPage.frame.paused && zentroxPage.frame.seconds > 0.5`,
                     20000);
  const first = await shown(page);
  await sleep(10000);
  const last = await shown(page);
  const demoRun = last.seconds - first.seconds;
  const clockRun = last.clockSeconds - first.clockSeconds;
  const wallRun = (last.clockWallMs - first.clockWallMs) / 1000;
  check(last.audioState === 'running', `the audio context runs while playing (${last.audioState})`);
  check(demoRun > 9 && demoRun < 11, `10 s of playing move demo time by ${demoRun.toFixed(3)} s`);
  // Demo time is the music's clock at each frame, and that clock keeps to the wall clock.
  check(Math.abs(demoRun - clockRun) <= kFrameSeconds,
        `demo time follows the audio clock: ${demoRun.toFixed(4)} s against ${clockRun.toFixed(4)} s`);
  check(Math.abs(clockRun - wallRun) <= 0.05 * wallRun,
        `the audio clock runs in real time: ${clockRun.toFixed(3)} s in ${wallRun.toFixed(3)} s`);
  check(first.title !== last.title && /^Zentrox \[FPS: +[0-9inf]+\] \[TIME: +[0-9.]+\] -/.test(last.title),
        `the title follows the demo: '${last.title}'`);

  // Pause stops both clocks.
  await page.press(' ');
  await page.waitFor('zentroxPage.frame.paused', 5000);
  const paused = await shown(page);
  await sleep(1000);
  const stillPaused = await shown(page);
  check(stillPaused.seconds === paused.seconds && stillPaused.title === paused.title,
        'a pause stops demo time');
  check(stillPaused.audioNow === paused.audioNow && stillPaused.audioState === 'suspended',
        `a pause stops the audio clock (${paused.audioNow} -> ${stillPaused.audioNow}, ${stillPaused.audioState})`);

  // Seeks while paused: by the address, by the arrows, by the timeline bar.
  await seekByAddress(page, 150);
  const seeked = await pixels(page);
  await page.press('ArrowRight');
  await page.waitFor(`zentroxPage.frame.seconds === Math.fround(155)`, 10000);
  await page.press('ArrowLeft');
  await page.waitFor(`zentroxPage.frame.seconds === Math.fround(150)`, 10000);
  check(true, 'the arrows seek by 5 s');
  await page.moveMouse(200, 590);
  await page.waitFor(`!document.getElementById('timeline').hidden`, 5000);
  await page.click(200, 590);
  await page.waitFor(`Math.abs(zentroxPage.frame.seconds - 47.5) < 0.01`, 10000);
  check(true, 'the timeline bar shows on mouse move and seeks where clicked');

  const stillPage = await browser.newPage();
  await stillPage.goto(`${url}?still=150`);
  await stillPage.waitForConsole('zentrox: still ready', 60000);
  const still = await pixels(stillPage);
  await stillPage.close();
  check(Buffer.compare(Buffer.from(seeked), Buffer.from(still)) === 0,
        'a seek to 150 s while paused shows the bytes of ?still=150');

  // The end returns to the start card, and so does Escape.
  await seekByAddress(page, 189);
  await page.press(' ');
  await waitForCard(page, 15000);
  check(true, 'the end of the demo returns to the start card');
  await page.press('Enter');
  await page.waitFor(`zentroxPage.frame && !zentroxPage.frame.paused`, 10000);
  const again = await shown(page);
  check(again.seconds < 5, `a key on the start card plays again from the start (${again.seconds} s)`);
  await page.press('Escape');
  await waitForCard(page, 5000);
  check(true, 'Escape returns to the start card');

  // A link to a moment opens there, on the start card, and plays on from it.
  const linked = await browser.newPage();
  await linked.goto(`${url}#t=100`);
  await waitForCard(linked, 60000);
  const opened = await shown(linked);
  check(opened.seconds === Math.fround(100), `#t=100 opens at ${opened.seconds} s`);
  await linked.click(400, 300);
  await linked.waitFor(`zentroxPage.frame && !zentroxPage.frame.paused && zentroxPage.frame.seconds > 100.2`,
                       20000);
  const linkedPlay = await shown(linked);
  check(linkedPlay.seconds < 105, `and plays on from there (${linkedPlay.seconds} s)`);
  await linked.close();
} finally {
  await browser.close();
}

// The canvas follows the page's size in device pixels.
const sharp = await launch({ width: 640, height: 360, deviceScaleFactor: 2 });
try {
  const page = await sharp.newPage();
  await page.goto(`${url}?still=30`);
  await page.waitForConsole('zentrox: still ready', 60000);
  const size = await page.evaluate(`(() => { const c = document.getElementById('canvas'); return c.width + 'x' + c.height; })()`);
  check(size === '1280x720', `a 640x360 page at pixel ratio 2 draws a still at ${size}`);
} finally {
  await sharp.close();
}

if (failures.length > 0) {
  console.error(`player_test: ${failures.length} failed`);
  process.exit(1);
}
console.log('player_test: all passed');
