// Plays the whole demo in headless Chromium (WebGL 2 on SwiftShader unless told otherwise) and
// prints the frame rate of each span of the timeline: frames drawn over the span's demo time,
// and the median time between frames. The music's clock drives demo time, so a slow span draws
// fewer frames rather than running late.
//   node --experimental-websocket bench/web/frame_rate.mjs URL [--size WxH] [CHROMIUM_SWITCH...]
// With a GPU, pass e.g. --use-angle=default --ignore-gpu-blocklist to draw on it.

import { launch } from '../../tests/web/chromium.mjs';

const kSpans = [
  ['welcome', 0, 10], ['tile dissolve', 10, 15], ['deform', 15, 85], ['fade to tunnel', 85, 88],
  ['tunnel', 88, 120], ['fade to softface', 120, 123], ['softface', 123, 180],
  ['held picture', 180, 190],
];

const args = process.argv.slice(2);
const url = args.shift();
let width = 800;
let height = 600;
if (args[0] === '--size') {
  [width, height] = args[1].split('x').map(Number);
  args.splice(0, 2);
}

const median = (values) => {
  const sorted = [...values].sort((a, b) => a - b);
  return sorted.length ? sorted[Math.floor(sorted.length / 2)] : NaN;
};

const browser = await launch({ width, height, args });
try {
  const page = await browser.newPage();
  await page.goto(url);
  await page.waitFor(`!document.getElementById('start-card').hidden`, 120000);
  await page.evaluate(`(() => {
    window.frameLog = [];
    const show = zentroxPage.showPosition.bind(zentroxPage);
    zentroxPage.showPosition = (seconds, paused) => {
      frameLog.push([seconds, performance.now()]);
      show(seconds, paused);
    };
    return true;
  })()`);
  await page.click(width / 2, height / 2);
  await page.waitFor(`frameLog.length > 10`, 20000);
  await page.waitFor(`!document.getElementById('start-card').hidden`, 400000, 1000);
  const log = await page.evaluate('frameLog');
  console.log(`${width}x${height}, ${log.length} frames, renderer: ${await page.evaluate(`(() => {
    const gl = document.createElement('canvas').getContext('webgl2');
    const info = gl && gl.getExtension('WEBGL_debug_renderer_info');
    return info ? gl.getParameter(info.UNMASKED_RENDERER_WEBGL) : 'unknown';
  })()`)}`);
  console.log('span                 fps   median ms');
  for (const [name, from, to] of kSpans) {
    const frames = log.filter(([t]) => t > from && t < to);
    const gaps = frames.slice(1).map(([, ms], i) => ms - frames[i][1]);
    const fps = frames.length / (to - from);
    console.log(`${name.padEnd(18)} ${fps.toFixed(1).padStart(6)} ${median(gaps).toFixed(1).padStart(10)}`);
  }
} finally {
  await browser.close();
}
