// The page around the demo: it loads the data tree into the program's file system with a
// progress bar, starts the program, and holds the start card, the timeline bar and messages.
// The program calls window.zentroxPage; the page calls the program's exported functions.
"use strict";

const kDemoSeconds = 190;
const kTimelineShownMs = 2500;
const kParallelFetches = 4;

const elements = {
  canvas: document.getElementById("canvas"),
  loading: document.getElementById("loading"),
  progressFill: document.getElementById("progress-fill"),
  progressText: document.getElementById("progress-text"),
  startCard: document.getElementById("start-card"),
  message: document.getElementById("message"),
  messageText: document.getElementById("message-text"),
  timeline: document.getElementById("timeline"),
  timelineFill: document.getElementById("timeline-fill"),
  timelineTime: document.getElementById("timeline-time"),
};

let playing = false;  // between the start card and the return to it
let timelineTimer = 0;

function showMessage(text) {
  elements.loading.hidden = true;
  elements.startCard.hidden = true;
  elements.timeline.hidden = true;
  elements.messageText.textContent = text;
  elements.message.hidden = false;
}

function formatSeconds(seconds) {
  const whole = Math.max(0, Math.floor(seconds));
  return `${Math.floor(whole / 60)}:${String(whole % 60).padStart(2, "0")}`;
}

// The number a parameter of the address asks for: `?name=` or `#name=`; -1 when absent or not a
// time within the demo.
function requestedSeconds(name) {
  const query = new URLSearchParams(location.search);
  const hash = new URLSearchParams(location.hash.replace(/^#/, ""));
  const text = query.get(name) ?? hash.get(name);
  if (text === null || text.trim() === "") {
    return -1;
  }
  const seconds = Number(text);
  return Number.isFinite(seconds) && seconds >= 0 && seconds < kDemoSeconds ? seconds : -1;
}

window.zentroxPage = {
  showStartCard(shown) {
    elements.loading.hidden = true;
    elements.startCard.hidden = !shown;
    if (shown) {
      playing = false;
      elements.timeline.hidden = true;
    }
  },
  showMessage,
  // What the last frame showed, and when the first was shown (for tests and timing).
  frame: null,
  firstFrameMs: null,
  showPosition(seconds, paused) {
    const music = Module.music;
    this.frame = {
      seconds,
      paused,
      clockSeconds: music ? music.lastClock : null,
      clockWallMs: music ? music.lastClockWallMs : null,
    };
    if (this.firstFrameMs === null) {
      this.firstFrameMs = performance.now();
    }
    elements.timelineFill.style.width = `${(100 * seconds) / kDemoSeconds}%`;
    elements.timelineTime.textContent =
      `${formatSeconds(seconds)} / ${formatSeconds(kDemoSeconds)}${paused ? " ❚❚" : ""}`;
  },
  leaveFullScreen() {
    if (document.fullscreenElement) {
      document.exitFullscreen().catch(() => {});
    }
  },
  requestedSeconds,
};

// The start card: a click or a key (Escape aside) starts the music, which a browser allows only
// in answer to one, and goes full screen.
function begin() {
  if (elements.startCard.hidden) {
    return;
  }
  playing = true;
  elements.startCard.hidden = true;
  const root = document.documentElement;
  if (root.requestFullscreen && requestedSeconds("still") < 0) {
    root.requestFullscreen().catch(() => {});
  }
  elements.canvas.focus();
  Module._zentroxBegin();
}

elements.startCard.addEventListener("click", begin);
window.addEventListener("keydown", (event) => {
  if (!elements.startCard.hidden && event.key !== "Escape" && !event.repeat) {
    begin();
  }
});

// Leaving full screen (Escape in most browsers) ends the run as Escape does.
document.addEventListener("fullscreenchange", () => {
  if (!document.fullscreenElement && playing) {
    Module._zentroxLeave();
  }
});

window.addEventListener("hashchange", () => {
  const seconds = requestedSeconds("t");
  if (playing && seconds >= 0) {
    Module._zentroxSeek(seconds);
  }
});

// The timeline bar shows while the mouse moves, and seeks where it is clicked.
window.addEventListener("mousemove", () => {
  if (!playing) {
    return;
  }
  elements.timeline.hidden = false;
  clearTimeout(timelineTimer);
  timelineTimer = setTimeout(() => { elements.timeline.hidden = true; }, kTimelineShownMs);
});
elements.timeline.addEventListener("click", (event) => {
  const fraction = event.clientX / elements.timeline.clientWidth;
  Module._zentroxSeek(fraction * kDemoSeconds);
});

// Reads one file with progress; null when the server does not have it (the demo treats a
// missing file as the data tree's business, silently).
async function fetchFile(path, onBytes) {
  let response;
  try {
    response = await fetch(`data/${path}`);
  } catch {
    return null;
  }
  if (!response.ok || !response.body) {
    return null;
  }
  const reader = response.body.getReader();
  const chunks = [];
  let length = 0;
  for (;;) {
    const { done, value } = await reader.read();
    if (done) {
      break;
    }
    chunks.push(value);
    length += value.length;
    onBytes(value.length);
  }
  const bytes = new Uint8Array(length);
  let offset = 0;
  for (const chunk of chunks) {
    bytes.set(chunk, offset);
    offset += chunk.length;
  }
  return bytes;
}

async function loadDataTree() {
  const response = await fetch("data/files.json");
  if (!response.ok) {
    throw new Error("the site has no data/files.json");
  }
  const files = await response.json();
  const total = files.reduce((sum, file) => sum + file.bytes, 0);
  let loaded = 0;
  const onBytes = (count) => {
    loaded += count;
    const fraction = total > 0 ? Math.min(1, loaded / total) : 1;
    elements.progressFill.style.width = `${100 * fraction}%`;
    elements.progressText.textContent =
      `Loading ${(loaded / 1048576).toFixed(1)} of ${(total / 1048576).toFixed(1)} MB`;
  };
  let next = 0;
  const worker = async () => {
    while (next < files.length) {
      const file = files[next++];
      const bytes = await fetchFile(file.path, onBytes);
      if (bytes !== null) {
        const slash = file.path.lastIndexOf("/");
        if (slash > 0) {
          FS.mkdirTree(`/data/${file.path.slice(0, slash)}`);
        }
        FS.writeFile(`/data/${file.path}`, bytes);
      }
    }
  };
  FS.mkdirTree("/data");
  await Promise.all(Array.from({ length: kParallelFetches }, worker));
  FS.chdir("/data");
}

function hasWebGL2() {
  try {
    return document.createElement("canvas").getContext("webgl2") !== null;
  } catch {
    return false;
  }
}

var Module = {
  canvas: elements.canvas,
  preRun: [() => {
    addRunDependency("data tree");
    loadDataTree().then(
      () => removeRunDependency("data tree"),
      (error) => showMessage(`The demo's files could not be loaded: ${error.message}`));
  }],
  print: (text) => console.log(text),
  printErr: (text) => console.warn(text),
};

if (hasWebGL2()) {
  const script = document.createElement("script");
  script.src = "zentrox.js";
  script.onerror = () => showMessage("The demo's program could not be loaded.");
  document.body.appendChild(script);
} else {
  showMessage("This demo needs WebGL 2, which this browser does not offer.");
}
