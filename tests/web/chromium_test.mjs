// Checks the DevTools driver in tests/web/chromium.mjs against the real headless Chromium: a
// small WebGL 2 page served from a temporary folder, its console, input and pixels.
//
//   node --experimental-websocket tests/web/chromium_test.mjs

import assert from 'node:assert/strict';
import { spawn } from 'node:child_process';
import fs from 'node:fs';
import http from 'node:http';
import os from 'node:os';
import path from 'node:path';
import { fileURLToPath } from 'node:url';
import zlib from 'node:zlib';
import { decodePng, launch } from './chromium.mjs';

const here = path.dirname(fileURLToPath(import.meta.url));
const driver = path.join(here, 'chromium.mjs');

// The whole run takes a few seconds; past this something hangs and the run is failed.
const WATCHDOG_MS = 50000;

const WIDTH = 640;
const HEIGHT = 360;
// The canvas clears to CLEAR, then its bottom-left quarter (GL counts rows from the bottom) to
// CORNER, so that a pixel read from the wrong row or column shows the wrong colour.
const CLEAR = [32, 160, 96, 255];
const CORNER = [200, 40, 120, 255];
const CANVAS = { width: 200, height: 100 };

const PAGE = `<!doctype html>
<html>
<head>
<meta charset="utf-8">
<style>
  html, body { margin: 0; height: 100%; overflow: hidden; background: #fff; }
  canvas { position: absolute; left: 0; top: 0; }
</style>
</head>
<body>
<canvas width="${CANVAS.width}" height="${CANVAS.height}"></canvas>
<script>
  window.seen = [];
  for (const type of ['keydown', 'keypress', 'keyup']) {
    addEventListener(type, (e) =>
      seen.push({ type, key: e.key, code: e.code, keyCode: e.keyCode }));
  }
  for (const type of ['mousedown', 'mouseup', 'click', 'mousemove']) {
    addEventListener(type, (e) =>
      seen.push({ type, x: e.clientX, y: e.clientY, button: e.button, detail: e.detail }));
  }
  const gl = document.querySelector('canvas').getContext('webgl2', { preserveDrawingBuffer: true });
  // Drawn in an animation frame, as the demo draws, so that the page also shows frames run, and
  // a while after the load event, so that only a wait for the message sees the picture.
  requestAnimationFrame(() => setTimeout(draw, 300));
  function draw() {
    gl.clearColor(${CLEAR.map((v) => v / 255).join(', ')});
    gl.clear(gl.COLOR_BUFFER_BIT);
    gl.enable(gl.SCISSOR_TEST);
    gl.scissor(0, 0, ${CANVAS.width / 2}, ${CANVAS.height / 2});
    gl.clearColor(${CORNER.map((v) => v / 255).join(', ')});
    gl.clear(gl.COLOR_BUFFER_BIT);
    console.log('test: ready ' + innerWidth + 'x' + innerHeight);
    window.ready = true;
  }
</script>
</body>
</html>
`;

// A picture whose rows suit different PNG filters (flat, ramps across, ramps down, noise), for
// Chromium's encoders to pick them: its screenshots use Sub, Up, Average and Paeth on it.
const NOISE_PAGE = `<!doctype html>
<body style="margin: 0">
<canvas width="96" height="64"></canvas>
<script>
  const canvas = document.querySelector('canvas');
  const context = canvas.getContext('2d');
  const image = context.createImageData(canvas.width, canvas.height);
  let seed = 12345;
  for (let y = 0; y < canvas.height; y++) {
    for (let x = 0; x < canvas.width; x++) {
      seed = (seed * 1103515245 + 12345) >>> 0;
      const rgb = [
        [40, 80, 120],
        [x * 2, x, 255 - x],
        [y * 3, 200 - y, x + y],
        [seed & 255, (seed >> 8) & 255, (seed >> 16) & 255],
      ][Math.floor(y / 8) % 4];
      image.data.set([...rgb, 255], (y * canvas.width + x) * 4);
    }
  }
  context.putImageData(image, 0, 0);
  window.truth = Array.from(context.getImageData(0, 0, canvas.width, canvas.height).data);
</script>
`;

/** A PNG of unfiltered rows (filter type 0), made by hand; chunk CRCs are left 0. */
function unfilteredPng(width, height, colourType, rows) {
  const chunk = (type, body) => {
    const length = Buffer.alloc(4);
    length.writeUInt32BE(body.length);
    return Buffer.concat([length, Buffer.from(type, 'latin1'), body, Buffer.alloc(4)]);
  };
  const header = Buffer.alloc(13);
  header.writeUInt32BE(width, 0);
  header.writeUInt32BE(height, 4);
  header.set([8, colourType, 0, 0, 0], 8);
  const raw = Buffer.concat(rows.map((row) => Buffer.from([0, ...row])));
  return Buffer.concat([
    Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]),
    chunk('IHDR', header),
    chunk('IDAT', zlib.deflateSync(raw)),
    chunk('IEND', Buffer.alloc(0)),
  ]);
}

const TYPES = {
  '.html': 'text/html; charset=utf-8',
  '.js': 'text/javascript',
  '.mjs': 'text/javascript',
  '.wasm': 'application/wasm',
  '.png': 'image/png',
};

/** Serves `root` on a free loopback port; resolves with { url, close }. */
function serve(root) {
  const server = http.createServer((request, response) => {
    const name = decodeURIComponent(new URL(request.url, 'http://x').pathname);
    const file = path.join(root, path.normalize(name));
    if (!file.startsWith(root + path.sep)) {
      response.writeHead(403).end();
      return;
    }
    fs.readFile(file, (error, body) => {
      if (error) {
        response.writeHead(404).end('not found');
        return;
      }
      const type = TYPES[path.extname(file)] ?? 'application/octet-stream';
      response.writeHead(200, { 'Content-Type': type, 'Cache-Control': 'no-store' }).end(body);
    });
  });
  return new Promise((resolve, reject) => {
    server.once('error', reject);
    server.listen(0, '127.0.0.1', () => {
      resolve({
        url: `http://127.0.0.1:${server.address().port}`,
        close: () => new Promise((done) => server.close(done)),
      });
    });
  });
}

function pixel(png, x, y) {
  const at = (y * png.width + x) * png.channels;
  return [...png.data.subarray(at, at + png.channels)];
}

// Processes of the process group `pgid` that still run (zombies left for init do not).
function liveInGroup(pgid) {
  const live = [];
  for (const pid of fs.readdirSync('/proc').filter((name) => /^[0-9]+$/.test(name))) {
    let stat;
    try {
      stat = fs.readFileSync(`/proc/${pid}/stat`, 'latin1');
    } catch {
      continue;
    }
    const [state, , pgrp] = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    if (Number(pgrp) === pgid && state !== 'Z') live.push(pid);
  }
  return live;
}

async function eventually(what, predicate, timeoutMs = 5000) {
  const deadline = Date.now() + timeoutMs;
  while (!predicate()) {
    if (Date.now() > deadline) {
      throw new Error(`timed out after ${timeoutMs} ms waiting for ${what}`);
    }
    await new Promise((resolve) => setTimeout(resolve, 50));
  }
}

/** Runs node on the driver's CLI or a script; resolves with { code, signal, stdout, stderr }. */
function runNode(args, { timeoutMs = 20000, onStdout } = {}) {
  return new Promise((resolve, reject) => {
    const child = spawn(process.execPath, ['--experimental-websocket', ...args], {
      stdio: ['ignore', 'pipe', 'pipe'],
    });
    let stdout = '';
    let stderr = '';
    child.stdout.on('data', (chunk) => {
      stdout += chunk;
      onStdout?.(stdout, child);
    });
    child.stderr.on('data', (chunk) => (stderr += chunk));
    const timer = setTimeout(() => {
      child.kill('SIGKILL');
      child.stdout.destroy();
      child.stderr.destroy();
      const command = `node ${args.join(' ')}`;
      reject(new Error(`timed out after ${timeoutMs} ms waiting for ${command}\n${stderr}`));
    }, timeoutMs);
    child.on('exit', (code, signal) => {
      clearTimeout(timer);
      resolve({ code, signal, stdout, stderr });
    });
  });
}

const checks = [];
const check = (name, body) => checks.push({ name, body });

let browser;
let page;
let server;
let site;
let firstPageMs;

check('launch and a first page', async () => {
  const start = performance.now();
  browser = await launch({ width: WIDTH, height: HEIGHT });
  page = await browser.newPage();
  firstPageMs = performance.now() - start;
});

check('the page is exactly the size asked for', async () => {
  assert.deepEqual(await page.evaluate('[innerWidth, innerHeight, devicePixelRatio]'), [
    WIDTH,
    HEIGHT,
    1,
  ]);
});

check('WebGL 2 is there', async () => {
  const webgl2 = await page.evaluate("!!document.createElement('canvas').getContext('webgl2')");
  assert.equal(webgl2, true);
});

check('goto waits for the load event', async () => {
  await page.goto(`${site.url}/index.html`);
  assert.equal(await page.evaluate('document.readyState'), 'complete');
});

check('a console message from before waitForConsole is found', async () => {
  // window.ready is set right after the message is logged, so the message is already in.
  await page.waitFor('window.ready', 5000);
  const ready = `test: ready ${WIDTH}x${HEIGHT}`;
  assert.equal(await page.waitForConsole('test: ready', 500), ready);
  assert.ok(page.consoleMessages().includes(ready), page.consoleMessages().join('\n'));
});

check('a console message logged later is waited for', async () => {
  const waiting = page.waitForConsole('later 42', 5000);
  await page.evaluate("setTimeout(() => console.warn('later', 42), 100), 0");
  assert.equal(await waiting, 'later 42');
});

check('waitForConsole names the text it timed out on', async () => {
  await assert.rejects(
    page.waitForConsole('never logged', 200),
    /timed out after 200 ms waiting for console text "never logged"\n {2}console: test: ready/,
  );
});

check('waitFor returns the value once it is truthy', async () => {
  await page.evaluate('setTimeout(() => (window.later = 7), 200), 0');
  assert.equal(await page.waitFor('window.later', 5000), 7);
  await assert.rejects(
    page.waitFor('window.neverSet', 200),
    /timed out after 200 ms waiting for window\.neverSet/,
  );
});

check('the canvas PNG holds the cleared colours', async () => {
  const png = decodePng(await page.canvasPng());
  assert.deepEqual([png.width, png.height, png.channels], [CANVAS.width, CANVAS.height, 4]);
  assert.deepEqual(pixel(png, 10, 10), CLEAR);
  assert.deepEqual(pixel(png, CANVAS.width - 1, CANVAS.height - 1), CLEAR);
  assert.deepEqual(pixel(png, 10, CANVAS.height - 10), CORNER);
  assert.deepEqual(pixel(png, CANVAS.width / 2 - 1, CANVAS.height / 2), CORNER);
  assert.deepEqual(pixel(png, CANVAS.width / 2, CANVAS.height / 2), CLEAR);
});

check('the screenshot shows the page', async () => {
  const png = decodePng(await page.screenshotPng());
  assert.deepEqual([png.width, png.height], [WIDTH, HEIGHT]);
  assert.deepEqual(pixel(png, 10, 10).slice(0, 3), CLEAR.slice(0, 3));
  assert.deepEqual(pixel(png, 10, CANVAS.height - 10).slice(0, 3), CORNER.slice(0, 3));
  assert.deepEqual(pixel(png, WIDTH - 10, HEIGHT - 10).slice(0, 3), [255, 255, 255]);
});

check('keys reach the page', async () => {
  await page.evaluate('seen.length = 0');
  const keys = [' ', 'Escape', 'ArrowLeft', 'ArrowRight', 'Enter'];
  for (const key of keys) await page.press(key);
  const seen = await page.evaluate('seen');
  const expected = [
    { key: ' ', code: 'Space', keyCode: 32 },
    { key: 'Escape', code: 'Escape', keyCode: 27 },
    { key: 'ArrowLeft', code: 'ArrowLeft', keyCode: 37 },
    { key: 'ArrowRight', code: 'ArrowRight', keyCode: 39 },
    { key: 'Enter', code: 'Enter', keyCode: 13 },
  ];
  const only = (type) => seen.filter((e) => e.type === type).map(({ type: _, ...e }) => e);
  assert.deepEqual(only('keydown'), expected);
  assert.deepEqual(only('keyup'), expected);
  // Keys that type something: Space types ' ', Enter '\r' (keypress reports both by key).
  assert.deepEqual(only('keypress').map((e) => e.key), [' ', 'Enter']);
  await assert.rejects(page.press('NoSuchKey'), /no key called "NoSuchKey"/);
});

check('a click and a mouse move reach the page', async () => {
  await page.evaluate('seen.length = 0');
  await page.moveMouse(20, 30);
  await page.click(150, 60);
  const seen = await page.evaluate('seen');
  assert.deepEqual(seen, [
    { type: 'mousemove', x: 20, y: 30, button: 0, detail: 0 },
    { type: 'mousedown', x: 150, y: 60, button: 0, detail: 1 },
    { type: 'mouseup', x: 150, y: 60, button: 0, detail: 1 },
    { type: 'click', x: 150, y: 60, button: 0, detail: 1 },
  ]);
});

check('an evaluate that throws reports the error', async () => {
  await assert.rejects(page.evaluate("throw new Error('boom 17')"), /Error: boom 17/);
  await assert.rejects(page.evaluate("Promise.reject(new Error('late boom'))"), /late boom/);
  await assert.rejects(page.evaluate('noSuchName.x'), /ReferenceError: noSuchName is not defined/);
  await assert.rejects(page.canvasPng('#missing'), /no element matches #missing/);
});

check('goto reports pages that cannot be had', async () => {
  await assert.rejects(page.goto(`${site.url}/missing.html`), /missing\.html: HTTP 404/);
});

check('uncaught exceptions and failed loads are page errors', async () => {
  await page.evaluate("setTimeout(() => { throw new Error('uncaught 5'); }), 0");
  await eventually('the exception', () => page.errors().some((e) => e.includes('uncaught 5')));
  assert.ok(
    page.errors().some((e) => /status of 404.*missing\.html/.test(e)),
    page.errors().join('\n'),
  );
  await assert.rejects(page.waitForConsole('never logged', 100), /error: Error: uncaught 5/);
});

check('decodePng reads what Chromium encodes', async () => {
  await page.goto(`${site.url}/noise.html`);
  const truth = await page.evaluate('truth');
  const canvas = decodePng(await page.canvasPng());
  assert.deepEqual([canvas.width, canvas.height, canvas.channels], [96, 64, 4]);
  assert.ok(canvas.data.equals(Buffer.from(truth)), 'canvas PNG differs from getImageData');
  const screen = decodePng(await page.screenshotPng());
  assert.equal(screen.channels, 3);
  const shown = [];
  for (let y = 0; y < 64; y++) {
    for (let x = 0; x < 96; x++) shown.push(...pixel(screen, x, y), 255);
  }
  assert.ok(Buffer.from(shown).equals(Buffer.from(truth)), 'screenshot differs from getImageData');
});

check('decodePng reads unfiltered grey and grey-alpha rows', () => {
  const grey = decodePng(unfilteredPng(3, 2, 0, [[1, 2, 3], [250, 251, 252]]));
  assert.deepEqual([grey.width, grey.height, grey.channels], [3, 2, 1]);
  assert.deepEqual([...grey.data], [1, 2, 3, 250, 251, 252]);
  const greyAlpha = decodePng(unfilteredPng(2, 1, 4, [[9, 8, 7, 6]]));
  assert.deepEqual([greyAlpha.channels, ...greyAlpha.data], [2, 9, 8, 7, 6]);
  assert.throws(() => decodePng(Buffer.from('GIF89a')), /not a PNG/);
  assert.throws(() => decodePng(unfilteredPng(1, 1, 3, [[0]])), /colour type 3/);
});

check('a closed tab is gone and the browser stays', async () => {
  const tab = await browser.newPage();
  const waiting = tab.waitForConsole('never logged', 20000).catch((error) => error);
  const targets = async () =>
    (await browser.connection.send('Target.getTargets')).targetInfos.map((t) => t.targetId);
  assert.ok((await targets()).includes(tab.targetId));
  await tab.close();
  assert.equal(tab.gone, 'the page was closed');
  await tab.close();
  assert.match((await waiting).message, /^the page was closed while waiting for console text/);
  await assert.rejects(tab.evaluate('1'), /Runtime.evaluate: the page was closed/);
  assert.equal((await targets()).includes(tab.targetId), false);
  assert.equal(await page.evaluate('6 * 7'), 42);
  // One closed from elsewhere is told by the browser.
  const other = await browser.newPage();
  const polling = other.waitFor('window.neverSet', 20000).catch((error) => error);
  await browser.connection.send('Target.closeTarget', { targetId: other.targetId });
  assert.match((await polling).message, /the page was closed/);
});

check('close ends every browser process and removes the profile', async () => {
  const { pid } = browser.child;
  const profile = browser.profile;
  assert.ok(fs.existsSync(profile));
  assert.ok(liveInGroup(pid).length >= 2, 'expected the browser and its helpers');
  await browser.close();
  await browser.close();
  assert.deepEqual(liveInGroup(pid), []);
  assert.equal(fs.existsSync(profile), false);
  await assert.rejects(page.evaluate('1'), /connection to the browser/);
});

check('a crashed page fails what waits on it at once', async () => {
  const other = await launch();
  try {
    const tab = await other.newPage();
    await tab.goto(`${site.url}/index.html`);
    // Each outcome is taken as it comes, so that one left waiting does not leave another's
    // rejection unhandled.
    const outcome = (promise) => promise.then((value) => ({ value }), (error) => error);
    const waiting = outcome(tab.waitForConsole('never logged', 20000));
    const polling = outcome(tab.waitFor('window.neverSet', 20000));
    const start = performance.now();
    const crashing = outcome(tab.send('Page.crash'));
    assert.match(String((await crashing).message), /^Page.crash: the page crashed$/);
    assert.match(
      String((await waiting).message),
      /^the page crashed while waiting for console text "never logged"/,
    );
    assert.match(String((await polling).message), /the page crashed/);
    assert.ok(performance.now() - start < 5000, 'the waits ran to their timeouts');
    await assert.rejects(tab.evaluate('1'), /Runtime.evaluate: the page crashed/);
    assert.ok(tab.errors().includes('the page crashed'));
  } finally {
    await other.close();
  }
});

check('--disable-webgl2 leaves WebGL 1 and no WebGL 2', async () => {
  // This Chromium's switch for it; --disable-webgl and --disable-3d-apis take WebGL 1 as well.
  const other = await launch({
    width: 320,
    height: 200,
    deviceScaleFactor: 2,
    args: ['--disable-webgl2'],
  });
  try {
    const tab = await other.newPage();
    assert.deepEqual(
      await tab.evaluate(`[
        document.createElement('canvas').getContext('webgl2'),
        !!document.createElement('canvas').getContext('webgl'),
        innerWidth, innerHeight, devicePixelRatio,
      ]`),
      [null, true, 320, 200, 2],
    );
  } finally {
    await other.close();
  }
});

check('launch explains a browser that does not start', async () => {
  await assert.rejects(launch({ binary: path.join(site.root, 'no-such-browser') }), /ENOENT/);
  const failing = path.join(site.root, 'failing-browser');
  // It says why only after it has exited, as a helper process of a browser may.
  const why = '(sleep 0.2; echo "cannot open display" >&2) &\nexit 3\n';
  fs.writeFileSync(failing, `#!/bin/sh\n${why}`, { mode: 0o755 });
  await assert.rejects(
    launch({ binary: failing }),
    /ended \(exit code 3\) before DevTools listened\nbrowser stderr:\ncannot open display/,
  );
  // One that never listens is given up on, and killed with whatever it started.
  const hanging = path.join(site.root, 'hanging-browser');
  fs.writeFileSync(hanging, '#!/bin/sh\necho "$$" >&2\nsleep 30\n', { mode: 0o755 });
  const error = await launch({ binary: hanging, timeoutMs: 300 }).catch((e) => e);
  assert.match(error.message, /timed out after 300 ms waiting for .*hanging-browser to print/);
  const pid = Number(/browser stderr:\n([0-9]+)/.exec(error.message)?.[1]);
  assert.deepEqual(liveInGroup(pid), []);
});

check('the shot command saves the canvas once the console says so', async () => {
  const out = path.join(site.root, 'shot.png');
  const { code, stderr } = await runNode([
    driver,
    'shot',
    `${site.url}/index.html`,
    out,
    '--wait-console',
    'test: ready',
    '--width',
    '300',
    '--height',
    '200',
  ]);
  assert.equal(code, 0, stderr);
  assert.match(stderr, /^console: test: ready 300x200$/m);
  const png = decodePng(fs.readFileSync(out));
  assert.deepEqual([png.width, png.height], [CANVAS.width, CANVAS.height]);
  assert.deepEqual(pixel(png, 10, 10), CLEAR);
});

check('the shot command fails on an unknown option', async () => {
  const url = `${site.url}/index.html`;
  const { code, stderr } = await runNode([driver, 'shot', url, 'x.png', '--bogus', '1']);
  assert.equal(code, 1);
  assert.match(stderr, /unknown option --bogus/);
});

check('a browser dies with the node that started it', async () => {
  // A script that launches and then hangs, as a test stuck on a page would, until killed.
  const script = `import { launch } from ${JSON.stringify(driver)};
const browser = await launch();
console.log(JSON.stringify({ pid: browser.child.pid, profile: browser.profile }));
setInterval(() => {}, 1000);`;
  let started = null;
  const result = await runNode(['--input-type=module', '-e', script], {
    onStdout: (text, child) => {
      if (!started && text.includes('\n')) {
        started = JSON.parse(text);
        child.kill('SIGTERM');
      }
    },
  });
  assert.ok(started, `the script printed nothing\n${result.stderr}`);
  assert.equal(result.signal, 'SIGTERM', result.stderr);
  await eventually('the browser to die', () => liveInGroup(started.pid).length === 0);
  assert.equal(fs.existsSync(started.profile), false);
});

async function main() {
  const watchdog = setTimeout(() => {
    console.error(`chromium_test: still running after ${WATCHDOG_MS} ms, giving up`);
    process.exit(1);
  }, WATCHDOG_MS);
  const start = performance.now();
  const root = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrox-web-test-'));
  fs.writeFileSync(path.join(root, 'index.html'), PAGE);
  fs.writeFileSync(path.join(root, 'noise.html'), NOISE_PAGE);
  server = await serve(root);
  site = { url: server.url, root };

  let passed = 0;
  let failed = 0;
  try {
    for (const { name, body } of checks) {
      try {
        await body();
        passed++;
      } catch (error) {
        failed++;
        console.error(`FAIL ${name}\n  ${String(error.stack ?? error).replaceAll('\n', '\n  ')}`);
        if (!browser) break; // Nothing else can run without a browser.
      }
    }
  } finally {
    await browser?.close();
    await server.close();
    fs.rmSync(root, { recursive: true, force: true });
    clearTimeout(watchdog);
  }
  const total = ((performance.now() - start) / 1000).toFixed(1);
  const first = firstPageMs === undefined ? '-' : `${firstPageMs.toFixed(0)} ms`;
  console.log(`chromium: launch + first page ${first}, all checks ${total} s`);
  console.log(`chromium: ${passed} passed, ${failed} failed`);
  // Exit rather than wait for the event loop: a browser that outlived a failed check may still
  // hold a pipe open to us.
  process.exit(failed === 0 ? 0 : 1);
}

await main();
