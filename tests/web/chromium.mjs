// Drives Debian's headless Chromium over the DevTools protocol for the browser tests: start it,
// open pages, read the console, send input and take the canvas's pixels. Node's standard library
// and its built-in WebSocket only (run node with --experimental-websocket on Node 20).
//
// CLI for looking at a page by hand:
//   node --experimental-websocket tests/web/chromium.mjs shot URL OUT.png \
//     [--wait-console TEXT] [--width W --height H]

import { spawn } from 'node:child_process';
import fs from 'node:fs';
import os from 'node:os';
import path from 'node:path';
import { pathToFileURL } from 'node:url';
import zlib from 'node:zlib';

const LAUNCH_TIMEOUT_MS = 30000;
const COMMAND_TIMEOUT_MS = 30000;
const LOAD_TIMEOUT_MS = 30000;
const WAIT_TIMEOUT_MS = 10000;

// Every browser still running, so that they die with node even when a test forgets close() or
// throws past it. Debian's chromium-headless-shell is a shell script that runs the real binary
// as its child rather than exec'ing it, so killing the pid we spawned would leave the browser
// behind: each browser gets its own process group and the whole group is killed.
const running = new Set();

function killGroup(child) {
  try {
    process.kill(-child.pid, 'SIGKILL');
  } catch {
    // Already gone.
  }
}

function onNodeExit() {
  for (const browser of running) {
    killGroup(browser.child);
    try {
      fs.rmSync(browser.profile, { recursive: true, force: true, maxRetries: 3 });
    } catch {
      // A process still dying may have written into it; a stray profile in /tmp is no reason
      // to fail on the way out.
    }
  }
}

// A signal that ends node skips the 'exit' handlers, so the browsers are killed here first and
// the signal raised again for its usual effect, unless someone else in the process handles it.
function onSignal(signal) {
  onNodeExit();
  if (process.listenerCount(signal) === 1) {
    process.removeListener(signal, onSignal);
    process.kill(process.pid, signal);
  }
}

function track(browser) {
  if (running.size === 0) {
    process.on('exit', onNodeExit);
    for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP']) process.on(signal, onSignal);
  }
  running.add(browser);
}

function untrack(browser) {
  running.delete(browser);
  if (running.size === 0) {
    process.removeListener('exit', onNodeExit);
    for (const signal of ['SIGINT', 'SIGTERM', 'SIGHUP']) process.removeListener(signal, onSignal);
  }
}

const sleep = (ms) => new Promise((resolve) => setTimeout(resolve, ms));

/**
 * Rejects with `Error(message)` after `ms` unless `promise` settles first; `message` may be a
 * function, called then, so that it can tell what had happened by that time.
 */
function withTimeout(promise, ms, message) {
  let timer;
  const timeout = new Promise((resolve, reject) => {
    timer = setTimeout(() => {
      reject(new Error(typeof message === 'function' ? message() : message));
    }, ms);
  });
  return Promise.race([promise, timeout]).finally(() => clearTimeout(timer));
}

/** One WebSocket to the browser, with commands matched to replies by id and events by session. */
class Connection {
  constructor(socket) {
    this.socket = socket;
    this.nextId = 1;
    this.pending = new Map();
    this.listeners = new Set();
    this.closedError = null;
    socket.addEventListener('message', (event) => this.onMessage(JSON.parse(event.data)));
    socket.addEventListener('close', () => this.onClose());
  }

  static async open(url, timeoutMs) {
    const socket = new WebSocket(url);
    const opened = new Promise((resolve, reject) => {
      socket.addEventListener('open', resolve, { once: true });
      socket.addEventListener('error', () => reject(new Error(`cannot connect to ${url}`)), {
        once: true,
      });
    });
    try {
      await withTimeout(opened, timeoutMs, `timed out after ${timeoutMs} ms connecting to ${url}`);
    } catch (error) {
      socket.close();
      throw error;
    }
    return new Connection(socket);
  }

  onMessage(message) {
    if (message.id !== undefined) {
      const call = this.pending.get(message.id);
      if (!call) return;
      this.pending.delete(message.id);
      clearTimeout(call.timer);
      if (message.error) {
        call.reject(new Error(`${call.method}: ${message.error.message} (${message.error.code})`));
      } else {
        call.resolve(message.result);
      }
      return;
    }
    for (const listener of this.listeners) listener(message);
  }

  onClose() {
    this.closedError = new Error('the connection to the browser closed');
    for (const call of this.pending.values()) {
      clearTimeout(call.timer);
      call.reject(new Error(`${call.method}: ${this.closedError.message}`));
    }
    this.pending.clear();
  }

  send(method, params = {}, sessionId = undefined, timeoutMs = COMMAND_TIMEOUT_MS) {
    if (this.closedError) {
      return Promise.reject(new Error(`${method}: ${this.closedError.message}`));
    }
    const id = this.nextId++;
    return new Promise((resolve, reject) => {
      const timer = setTimeout(() => {
        this.pending.delete(id);
        reject(new Error(`timed out after ${timeoutMs} ms waiting for the answer to ${method}`));
      }, timeoutMs);
      this.pending.set(id, { method, sessionId, resolve, reject, timer });
      this.socket.send(JSON.stringify({ id, method, params, sessionId }));
    });
  }

  /** Fails the commands sent to a session that will never answer them. */
  failSession(sessionId, why) {
    for (const [id, call] of this.pending) {
      if (call.sessionId !== sessionId) continue;
      this.pending.delete(id);
      clearTimeout(call.timer);
      call.reject(new Error(`${call.method}: ${why}`));
    }
  }

  /** Calls `listener(message)` for every event from now on. */
  onEvent(listener) {
    this.listeners.add(listener);
  }

  close() {
    this.closedError ??= new Error('the connection to the browser was closed');
    this.socket.close();
  }
}

/**
 * Starts chromium-headless-shell with a fresh profile and connects to it.
 * @param {object} [options]
 * @param {number} [options.width=800] page width in CSS pixels (window.innerWidth)
 * @param {number} [options.height=600] page height in CSS pixels (window.innerHeight)
 * @param {number} [options.deviceScaleFactor=1]
 * @param {string[]} [options.args=[]] extra command-line switches
 * @param {string} [options.binary] defaults to $CHROMIUM or chromium-headless-shell
 * @param {number} [options.timeoutMs=30000] how long the browser may take to start
 * @returns {Promise<Browser>}
 */
export async function launch(options = {}) {
  if (typeof WebSocket === 'undefined') {
    throw new Error('no WebSocket in this node: run it with --experimental-websocket');
  }
  const {
    width = 800,
    height = 600,
    deviceScaleFactor = 1,
    args = [],
    binary = process.env.CHROMIUM || 'chromium-headless-shell',
    timeoutMs = LAUNCH_TIMEOUT_MS,
  } = options;

  const profile = fs.mkdtempSync(path.join(os.tmpdir(), 'zentrox-chromium-'));
  const switches = [
    '--remote-debugging-port=0',
    `--user-data-dir=${profile}`,
    // WebGL 2 on the CPU, the same on every machine whatever its GPU: ANGLE over SwiftShader.
    // Chromium is dropping its silent fall back to SwiftShader for WebGL; the second switch keeps
    // it allowed.
    '--use-angle=swiftshader',
    '--enable-unsafe-swiftshader',
    // The demo starts its music without a click.
    '--autoplay-policy=no-user-gesture-required',
    '--no-first-run',
    // NOTE: on a machine without a sound card the audio service, in its own process, dies on a
    // CHECK soon after music starts, and now and then takes the browser with it; inside the
    // browser's process it plays (into nothing) with a clock that runs in real time.
    '--disable-features=AudioServiceOutOfProcess',
    // The window matches the size each page is given below, so nothing is scaled to fit it.
    `--window-size=${width},${height}`,
  ];
  // Chromium's sandbox refuses to start as root, which is how CI runs.
  if (process.getuid?.() === 0) switches.push('--no-sandbox');
  // The headless shell is headless whatever it is told; a full Chromium needs the switch.
  if (!path.basename(binary).includes('headless-shell')) switches.push('--headless');
  switches.push(...args, 'about:blank');

  const child = spawn(binary, switches, { detached: true, stdio: ['ignore', 'ignore', 'pipe'] });
  const browser = new Browser(child, profile, { width, height, deviceScaleFactor });
  track(browser);
  try {
    const wsUrl = await withTimeout(
      browser.devToolsUrl(),
      timeoutMs,
      `timed out after ${timeoutMs} ms waiting for ${binary} to print "DevTools listening on"`,
    );
    browser.connection = await Connection.open(wsUrl, timeoutMs);
  } catch (error) {
    await browser.close();
    error.message += browser.stderrTail();
    throw error;
  }
  return browser;
}

/** A running browser, from launch(). */
export class Browser {
  constructor(child, profile, viewport) {
    this.child = child;
    this.profile = profile;
    this.viewport = viewport;
    this.connection = null;
    this.closing = null;
    // The browser's stderr must be read to the end or it blocks once the pipe fills; the last
    // lines are kept to explain a failed start.
    this.stderrLines = [];
    this.exited = new Promise((resolve) => {
      child.once('exit', (code, signal) => resolve({ code, signal }));
      child.once('error', (error) => resolve({ error }));
    });
    // Its stderr may still hold the lines that tell why it ended when it exits.
    this.outputEnded = new Promise((resolve) => {
      child.once('close', (code, signal) => resolve({ code, signal }));
      child.once('error', (error) => resolve({ error }));
    });
    let partial = '';
    child.stderr.setEncoding('utf8');
    child.stderr.on('data', (chunk) => {
      const lines = (partial + chunk).split('\n');
      partial = lines.pop();
      for (const line of lines) {
        this.stderrLines.push(line);
        if (this.stderrLines.length > 50) this.stderrLines.shift();
        this.onStderrLine?.(line);
      }
    });
  }

  devToolsUrl() {
    return new Promise((resolve, reject) => {
      for (const line of this.stderrLines) {
        const match = /DevTools listening on (ws:\/\/\S+)/.exec(line);
        if (match) return resolve(match[1]);
      }
      this.onStderrLine = (line) => {
        const match = /DevTools listening on (ws:\/\/\S+)/.exec(line);
        if (match) resolve(match[1]);
      };
      this.outputEnded.then(({ code, signal, error }) => {
        const binary = this.child.spawnfile;
        if (error) return reject(new Error(`cannot start ${binary}: ${error.message}`));
        const how = signal ?? `exit code ${code}`;
        reject(new Error(`${binary} ended (${how}) before DevTools listened`));
      });
    });
  }

  stderrTail() {
    const lines = this.stderrLines.filter((line) => line.trim() !== '').slice(-15);
    return lines.length ? `\nbrowser stderr:\n${lines.join('\n')}` : '';
  }

  /**
   * Opens a new tab on about:blank, sized to the launch's width and height.
   * @returns {Promise<Page>}
   */
  async newPage() {
    const { targetId } = await this.connection.send('Target.createTarget', { url: 'about:blank' });
    const { sessionId } = await this.connection.send('Target.attachToTarget', {
      targetId,
      flatten: true,
    });
    const page = new Page(this.connection, sessionId, targetId);
    await page.send('Page.enable');
    await page.send('Page.setLifecycleEventsEnabled', { enabled: true });
    await page.send('Runtime.enable');
    await page.send('Log.enable');
    const { width, height, deviceScaleFactor } = this.viewport;
    await page.send('Emulation.setDeviceMetricsOverride', {
      width,
      height,
      deviceScaleFactor,
      mobile: false,
    });
    return page;
  }

  /** Kills the browser and removes its profile; safe to call more than once. */
  close() {
    this.closing ??= (async () => {
      this.connection?.close();
      killGroup(this.child);
      await withTimeout(this.exited, 5000, 'browser did not exit').catch(() => {});
      // The wrapper script exits as soon as it is killed; the browser's own processes may take a
      // moment longer to be gone, and the profile is only safe to remove once they are.
      for (let i = 0; i < 100 && groupAlive(this.child); i++) await sleep(20);
      untrack(this);
      fs.rmSync(this.profile, { recursive: true, force: true, maxRetries: 5 });
    })();
    return this.closing;
  }
}

// Whether any process of the browser's group is still running. Killed processes whose parent
// died first are left for init to reap, which here can take seconds; they can no longer touch
// the profile, so zombies do not count. Without /proc, any member counts.
function groupAlive(child) {
  let pids;
  try {
    pids = fs.readdirSync('/proc').filter((name) => /^[0-9]+$/.test(name));
  } catch {
    try {
      process.kill(-child.pid, 0);
      return true;
    } catch {
      return false;
    }
  }
  for (const pid of pids) {
    let stat;
    try {
      stat = fs.readFileSync(`/proc/${pid}/stat`, 'latin1');
    } catch {
      continue; // Gone while we looked.
    }
    // "pid (comm) state ppid pgrp ...": comm may hold spaces and parentheses.
    const [state, , pgrp] = stat.slice(stat.lastIndexOf(')') + 2).split(' ');
    if (Number(pgrp) === child.pid && state !== 'Z') return true;
  }
  return false;
}

// What press() sends for each key: DOM key and code, Windows virtual key code, and the text it
// types (a key with text also fires keypress).
const KEYS = {
  ' ': { key: ' ', code: 'Space', keyCode: 32, text: ' ' },
  Escape: { key: 'Escape', code: 'Escape', keyCode: 27 },
  ArrowLeft: { key: 'ArrowLeft', code: 'ArrowLeft', keyCode: 37 },
  ArrowRight: { key: 'ArrowRight', code: 'ArrowRight', keyCode: 39 },
  ArrowUp: { key: 'ArrowUp', code: 'ArrowUp', keyCode: 38 },
  ArrowDown: { key: 'ArrowDown', code: 'ArrowDown', keyCode: 40 },
  Enter: { key: 'Enter', code: 'Enter', keyCode: 13, text: '\r' },
};
KEYS.Space = KEYS[' '];

function keyDescription(key) {
  if (KEYS[key]) return KEYS[key];
  // Letters and digits have the key code of the upper-case character.
  const upper = key.toUpperCase();
  const keyCode = upper.charCodeAt(0);
  if (/^[A-Z]$/.test(upper)) return { key, code: `Key${upper}`, keyCode, text: key };
  if (/^[0-9]$/.test(key)) return { key, code: `Digit${key}`, keyCode, text: key };
  throw new Error(`press: no key called "${key}"`);
}

function consoleText(args) {
  return args
    .map((arg) => {
      if (arg.type === 'string') return arg.value;
      if ('unserializableValue' in arg) return arg.unserializableValue;
      if ('value' in arg) return String(arg.value);
      return arg.description ?? arg.type;
    })
    .join(' ');
}

/**
 * A tab, from Browser.newPage(). It keeps every console message and page error from its
 * opening on, across navigations.
 */
export class Page {
  constructor(connection, sessionId, targetId) {
    this.connection = connection;
    this.sessionId = sessionId;
    this.targetId = targetId;
    this.messages = [];
    this.pageErrors = [];
    this.consoleWaiters = new Set();
    this.loadWaiters = new Set();
    // A page that crashed or was closed answers nothing more, so what waits on it fails at once
    // instead of at its timeout. `gone` says why, once it is.
    this.gone = null;
    this.goneSignal = new Promise((resolve, reject) => (this.rejectGone = reject));
    this.goneSignal.catch(() => {});
    connection.onEvent((message) => {
      if (message.sessionId === sessionId) {
        this.onEvent(message.method, message.params);
      } else if (
        message.method === 'Target.detachedFromTarget' &&
        message.params.sessionId === sessionId
      ) {
        this.end('the page was closed');
      }
    });
  }

  onEvent(method, params) {
    if (method === 'Runtime.consoleAPICalled') {
      const text = consoleText(params.args);
      this.messages.push(text);
      for (const waiter of this.consoleWaiters) waiter(text);
    } else if (method === 'Runtime.exceptionThrown') {
      const details = params.exceptionDetails;
      this.pageErrors.push(details.exception?.description ?? details.text);
    } else if (method === 'Log.entryAdded' && params.entry.level === 'error') {
      const { text, url } = params.entry;
      this.pageErrors.push(url ? `${text} (${url})` : text);
    } else if (method === 'Page.lifecycleEvent' && params.name === 'load') {
      for (const waiter of this.loadWaiters) waiter(params.loaderId);
    } else if (method === 'Inspector.targetCrashed') {
      this.pageErrors.push('the page crashed');
      this.end('the page crashed');
    }
  }

  end(why) {
    if (this.gone) return;
    this.gone = why;
    this.rejectGone(new Error(why));
    this.connection.failSession(this.sessionId, why);
  }

  /**
   * Sends a DevTools command to this page, for what the methods here do not cover.
   * @param {string} method such as 'Page.reload'
   * @param {object} [params]
   * @param {number} [timeoutMs=30000]
   * @returns {Promise<object>} the command's result
   */
  send(method, params, timeoutMs) {
    if (this.gone) return Promise.reject(new Error(`${method}: ${this.gone}`));
    return this.connection.send(method, params, this.sessionId, timeoutMs);
  }

  /** `promise`, unless the page crashes or is closed first. */
  unlessGone(promise, what) {
    const gone = this.goneSignal.catch(() => {
      throw new Error(`${this.gone} while waiting for ${what}${this.recent()}`);
    });
    return Promise.race([promise, gone]);
  }

  /** The last console messages and page errors, to explain a wait that timed out. */
  recent() {
    const messages = this.messages.slice(-10).map((text) => `  console: ${text}`);
    const errors = this.pageErrors.slice(-5).map((text) => `  error: ${text}`);
    const lines = [...messages, ...errors];
    return lines.length ? `\n${lines.join('\n')}` : ' (no console messages or page errors)';
  }

  /**
   * Navigates to `url` and waits for its load event. Throws when the page cannot be reached or
   * its server answers with an HTTP error.
   * @param {string} url
   * @param {number} [timeoutMs=30000]
   */
  async goto(url, timeoutMs = LOAD_TIMEOUT_MS) {
    // Load events are told apart by their loader, so that one from the page being left (or from
    // a frame inside the new one) is not taken for the new page's. The load may be reported
    // before Page.navigate answers with the loader's id, so every one is noted from the start.
    const loaded = new Set();
    let check = () => {};
    const waiter = (loaderId) => {
      loaded.add(loaderId);
      check();
    };
    this.loadWaiters.add(waiter);
    try {
      const { loaderId, errorText } = await this.send('Page.navigate', { url }, timeoutMs);
      if (errorText) throw new Error(`cannot open ${url}: ${errorText}`);
      // A navigation within the same document (a new #fragment) loads nothing.
      if (!loaderId) return;
      const done = new Promise((resolve) => {
        check = () => loaded.has(loaderId) && resolve();
        check();
      });
      await withTimeout(
        this.unlessGone(done, `the load of ${url}`),
        timeoutMs,
        () => `timed out after ${timeoutMs} ms waiting for the load of ${url}${this.recent()}`,
      );
    } finally {
      this.loadWaiters.delete(waiter);
    }
    const status = await this.evaluate(
      "performance.getEntriesByType('navigation')[0]?.responseStatus ?? 0",
    );
    if (status >= 400) throw new Error(`cannot open ${url}: HTTP ${status}`);
  }

  /**
   * Evaluates a JavaScript expression in the page, awaiting it when it is a promise.
   * @param {string} expression
   * @param {number} [timeoutMs=30000]
   * @returns {Promise<any>} the value, copied as JSON
   * @throws {Error} with the exception's text when the expression throws or rejects
   */
  async evaluate(expression, timeoutMs = COMMAND_TIMEOUT_MS) {
    // As if from a user's gesture, so that what the page does then may start sound or go full
    // screen the way it would after a click.
    const reply = await this.send(
      'Runtime.evaluate',
      { expression, awaitPromise: true, returnByValue: true, userGesture: true },
      timeoutMs,
    );
    if (reply.exceptionDetails) {
      const details = reply.exceptionDetails;
      const text = details.exception?.description ?? details.exception?.value ?? details.text;
      throw new Error(`evaluate: ${text}`);
    }
    return reply.result.value;
  }

  /**
   * Resolves with the first console message, since the page was opened, that contains `text`.
   * @param {string} text
   * @param {number} [timeoutMs=10000]
   * @returns {Promise<string>}
   */
  async waitForConsole(text, timeoutMs = WAIT_TIMEOUT_MS) {
    const seen = this.messages.find((message) => message.includes(text));
    if (seen !== undefined) return seen;
    let waiter;
    const found = new Promise((resolve) => {
      waiter = (message) => {
        if (message.includes(text)) resolve(message);
      };
      this.consoleWaiters.add(waiter);
    });
    try {
      return await withTimeout(
        this.unlessGone(found, `console text "${text}"`),
        timeoutMs,
        () => `timed out after ${timeoutMs} ms waiting for console text "${text}"${this.recent()}`,
      );
    } finally {
      this.consoleWaiters.delete(waiter);
    }
  }

  /** Every console message seen since the page was opened, oldest first. */
  consoleMessages() {
    return [...this.messages];
  }

  /** Uncaught exceptions and error log entries seen since the page was opened. */
  errors() {
    return [...this.pageErrors];
  }

  /**
   * Evaluates `expression` every `intervalMs` until it is truthy. An expression that throws
   * counts as not yet true (the page may still be loading what it refers to).
   * @param {string} expression
   * @param {number} [timeoutMs=10000]
   * @param {number} [intervalMs=50]
   * @returns {Promise<any>} the truthy value
   */
  async waitFor(expression, timeoutMs = WAIT_TIMEOUT_MS, intervalMs = 50) {
    const deadline = Date.now() + timeoutMs;
    let lastError = null;
    for (;;) {
      const left = deadline - Date.now();
      try {
        const value = await this.evaluate(expression, Math.max(left, 1));
        if (value) return value;
        lastError = null;
      } catch (error) {
        // A page or browser that went away will not make it true.
        if (this.gone || this.connection.closedError) throw error;
        lastError = error;
      }
      if (Date.now() + intervalMs > deadline) break;
      await sleep(intervalMs);
    }
    const why = lastError ? ` (last try: ${lastError.message})` : '';
    const recent = this.recent();
    throw new Error(`timed out after ${timeoutMs} ms waiting for ${expression}${why}${recent}`);
  }

  /** Clicks the left mouse button at (x, y) in CSS pixels. */
  async click(x, y) {
    const event = { x, y, button: 'left', clickCount: 1 };
    await this.send('Input.dispatchMouseEvent', { type: 'mousePressed', buttons: 1, ...event });
    await this.send('Input.dispatchMouseEvent', { type: 'mouseReleased', buttons: 0, ...event });
  }

  /** Moves the mouse to (x, y) in CSS pixels with no button held. */
  async moveMouse(x, y) {
    await this.send('Input.dispatchMouseEvent', { type: 'mouseMoved', x, y, button: 'none' });
  }

  /**
   * Presses and releases a key: ' ' (or 'Space'), 'Escape', 'Enter', the arrows, a letter or a
   * digit.
   * @param {string} key
   */
  async press(key) {
    const { text, keyCode, ...names } = keyDescription(key);
    const common = { ...names, windowsVirtualKeyCode: keyCode, nativeVirtualKeyCode: keyCode };
    // keyDown with text also types it (keypress); rawKeyDown is a key that types nothing.
    const down = text ? { type: 'keyDown', text, unmodifiedText: text } : { type: 'rawKeyDown' };
    await this.send('Input.dispatchKeyEvent', { ...down, ...common });
    await this.send('Input.dispatchKeyEvent', { type: 'keyUp', ...common });
  }

  /**
   * The PNG of a canvas's pixels, from canvas.toDataURL(). A WebGL canvas keeps its pixels after
   * they are shown only when made with preserveDrawingBuffer: true.
   * @param {string} [selector='canvas']
   * @returns {Promise<Buffer>}
   */
  async canvasPng(selector = 'canvas') {
    const url = await this.evaluate(`(() => {
      const canvas = document.querySelector(${JSON.stringify(selector)});
      if (!canvas) throw new Error('no element matches ' + ${JSON.stringify(selector)});
      return canvas.toDataURL('image/png');
    })()`);
    const prefix = 'data:image/png;base64,';
    if (!url.startsWith(prefix)) {
      throw new Error(`canvasPng: ${selector} gave no PNG but ${url.slice(0, 40)}`);
    }
    return Buffer.from(url.slice(prefix.length), 'base64');
  }

  /** The PNG of the whole page as shown. @returns {Promise<Buffer>} */
  async screenshotPng() {
    const { data } = await this.send('Page.captureScreenshot', { format: 'png' });
    return Buffer.from(data, 'base64');
  }

  /** Closes the tab and waits until the browser has let it go; the browser stays. */
  async close() {
    if (this.gone) return;
    await this.connection.send('Target.closeTarget', { targetId: this.targetId });
    // The answer comes before the tab is gone; the browser detaches it once it is.
    await withTimeout(
      this.goneSignal.catch(() => {}),
      5000,
      'timed out after 5000 ms waiting for a closed tab to go',
    );
  }
}

/**
 * Decodes an 8-bit, non-interlaced PNG (grey, grey and alpha, RGB or RGBA), as canvases and
 * Chromium's screenshots write them.
 * @param {Buffer} buffer
 * @returns {{width: number, height: number, channels: number, data: Buffer}} rows top to bottom,
 *   `channels` bytes a pixel
 */
export function decodePng(buffer) {
  const signature = Buffer.from([0x89, 0x50, 0x4e, 0x47, 0x0d, 0x0a, 0x1a, 0x0a]);
  if (buffer.length < 8 || !buffer.subarray(0, 8).equals(signature)) {
    throw new Error('decodePng: not a PNG');
  }
  let header = null;
  const idat = [];
  for (let at = 8; at + 8 <= buffer.length; ) {
    const length = buffer.readUInt32BE(at);
    const type = buffer.toString('latin1', at + 4, at + 8);
    const body = buffer.subarray(at + 8, at + 8 + length);
    if (body.length !== length) throw new Error(`decodePng: ${type} chunk cut short`);
    if (type === 'IHDR') {
      header = {
        width: body.readUInt32BE(0),
        height: body.readUInt32BE(4),
        depth: body[8],
        colourType: body[9],
        interlace: body[12],
      };
    } else if (type === 'IDAT') {
      idat.push(body);
    } else if (type === 'IEND') {
      break;
    }
    at += 12 + length;
  }
  if (!header) throw new Error('decodePng: no IHDR');
  const channels = { 0: 1, 2: 3, 4: 2, 6: 4 }[header.colourType];
  if (header.depth !== 8 || !channels || header.interlace !== 0) {
    const { depth, colourType, interlace } = header;
    throw new Error(
      'decodePng: only 8-bit non-interlaced grey or RGB, with or without alpha ' +
        `(depth ${depth}, colour type ${colourType}, interlace ${interlace})`,
    );
  }
  const { width, height } = header;
  const raw = zlib.inflateSync(Buffer.concat(idat));
  const stride = width * channels;
  if (raw.length < height * (stride + 1)) throw new Error('decodePng: image data cut short');
  const data = Buffer.alloc(height * stride);
  for (let y = 0; y < height; y++) {
    const filter = raw[y * (stride + 1)];
    const line = raw.subarray(y * (stride + 1) + 1, (y + 1) * (stride + 1));
    const out = y * stride;
    for (let x = 0; x < stride; x++) {
      const a = x >= channels ? data[out + x - channels] : 0;
      const b = y > 0 ? data[out + x - stride] : 0;
      const c = x >= channels && y > 0 ? data[out + x - stride - channels] : 0;
      let predicted;
      switch (filter) {
        case 0: predicted = 0; break;
        case 1: predicted = a; break;
        case 2: predicted = b; break;
        case 3: predicted = (a + b) >> 1; break;
        case 4: {
          const p = a + b - c;
          const pa = Math.abs(p - a);
          const pb = Math.abs(p - b);
          const pc = Math.abs(p - c);
          predicted = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
          break;
        }
        default:
          throw new Error(`decodePng: unknown filter ${filter} on row ${y}`);
      }
      data[out + x] = (line[x] + predicted) & 0xff;
    }
  }
  return { width, height, channels, data };
}

const USAGE =
  'usage: node --experimental-websocket tests/web/chromium.mjs shot URL OUT.png ' +
  '[--wait-console TEXT] [--width W --height H]';

/** The CLI's shot command: saves the canvas's PNG once the page is ready. */
async function shot(argv) {
  const [url, out, ...rest] = argv;
  if (!url || !out) throw new Error(USAGE);
  const options = {};
  let waitText = null;
  for (let i = 0; i < rest.length; i += 2) {
    const [flag, value] = [rest[i], rest[i + 1]];
    if (value === undefined) throw new Error(`${flag} needs a value\n${USAGE}`);
    if (flag === '--wait-console') waitText = value;
    else if (flag === '--width' || flag === '--height') {
      const number = Number(value);
      if (!(Number.isInteger(number) && number > 0)) {
        throw new Error(`${flag}: not a size: ${value}`);
      }
      options[flag.slice(2)] = number;
    } else throw new Error(`unknown option ${flag}\n${USAGE}`);
  }
  const browser = await launch(options);
  let page = null;
  try {
    page = await browser.newPage();
    await page.goto(url);
    if (waitText !== null) await page.waitForConsole(waitText, 60000);
    fs.writeFileSync(out, await page.canvasPng());
  } finally {
    const lines = [
      ...(page?.consoleMessages() ?? []).map((message) => `console: ${message}`),
      ...(page?.errors() ?? []).map((error) => `error: ${error}`),
    ];
    for (const line of lines) process.stderr.write(`${line}\n`);
    await browser.close();
  }
}

if (process.argv[1] && import.meta.url === pathToFileURL(path.resolve(process.argv[1])).href) {
  const [command, ...argv] = process.argv.slice(2);
  const commands = { shot };
  if (!commands[command]) {
    process.stderr.write(`${USAGE}\n`);
    process.exit(2);
  }
  commands[command](argv).catch((error) => {
    process.stderr.write(`chromium.mjs ${command}: ${error.message}\n`);
    process.exitCode = 1;
  });
}
