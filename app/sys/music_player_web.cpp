// The music in a browser, through Web Audio: the browser decodes the file into an AudioBuffer
// at the demo's own rate, an AudioBufferSourceNode plays it from any frame (through an
// AudioContext at that rate where the browser allows, so nothing is resampled), and the
// AudioContext's clock is the player's. The decoded samples are also copied into
// the program, where the spectrum is computed from them as everywhere else.

#include <emscripten.h>

#include "app/sys/music_player.h"

// The page's state lives in one object, Module.music: the context, the decoded buffer, the
// playing source, and where decoding stands (0 decoding, 1 decoded, -1 no music).
// NOTE: an AudioContext made before any click stays suspended until one. The music is decoded
// by an offline context at the demo's rate, whatever rate the output runs at (a browser that
// refuses 44100 Hz resamples as it plays), so that its frames are the demo's.
// The bodies are JavaScript, which the formatter must leave alone.
// clang-format off
EM_JS(void, musicOpen, (const char* name, int rate), {
    const music = {state: 0, context: null, buffer: null, source: null};
    music.stopSource = () => {
        if (music.source) {
            music.source.stop();
            music.source = null;
        }
    };
    Module.music = music;
    let bytes;
    let decoder;
    try {
        bytes = FS.readFile(UTF8ToString(name));
        decoder = new OfflineAudioContext(2, 1, rate);
    } catch (error) {
        music.state = -1;
        return;
    }
    try {
        music.context = new AudioContext({sampleRate: rate, latencyHint: "interactive"});
    } catch (error) {
        try {
            music.context = new AudioContext();
        } catch (error) {
            music.context = null;
        }
    }
    decoder.decodeAudioData(bytes.buffer).then(
        (buffer) => {
            music.buffer = buffer;
            music.state = buffer.length > 0 ? 1 : -1;
        },
        () => { music.state = -1; });
});

EM_JS(int, musicState, (), { return Module.music ? Module.music.state : -1; });

EM_JS(double, musicFrames, (), { return Module.music.buffer ? Module.music.buffer.length : 0; });

// Interleaved stereo 16-bit samples, rounded as a 16-bit decoder rounds; a mono file plays on
// both sides.
EM_JS(void, musicCopy, (int16_t* out, double frames), {
    const buffer = Module.music.buffer;
    const left = buffer.getChannelData(0);
    const right = buffer.numberOfChannels > 1 ? buffer.getChannelData(1) : left;
    const samples = new Int16Array(HEAP16.buffer, out, frames * 2);
    const toInt16 = (x) => Math.max(-32768, Math.min(32767, Math.round(x * 32768)));
    for (let i = 0; i < frames; ++i) {
        samples[2 * i] = toInt16(left[i]);
        samples[2 * i + 1] = toInt16(right[i]);
    }
});

EM_JS(void, musicPlay, (double frame, int rate), {
    const music = Module.music;
    if (!music || !music.context) {
        return;
    }
    music.stopSource();
    if (music.buffer) {
        const source = music.context.createBufferSource();
        source.buffer = music.buffer;
        source.connect(music.context.destination);
        const offset = frame / rate;
        if (offset < music.buffer.duration) {
            source.start(0, offset);
        }
        music.source = source;
    }
    music.context.resume();
});

EM_JS(void, musicPause, (), {
    const music = Module.music;
    if (!music || !music.context) {
        return;
    }
    music.stopSource();
    music.context.suspend();
});

// The context's clock while it carries the music, else the page's: without music or sound
// output the demo still plays.
EM_JS(double, musicClock, (), {
    const music = Module.music;
    const seconds = music && music.context && music.buffer ? music.context.currentTime
                                                          : performance.now() / 1000;
    if (music) {
        // What the frame was timed by, and when, for whoever checks.
        music.lastClock = seconds;
        music.lastClockWallMs = performance.now();
    }
    return seconds;
});

EM_JS(void, musicClose, (), {
    const music = Module.music;
    if (music && music.context) {
        music.context.close();
    }
    Module.music = null;
});
// clang-format on

MusicPlayer::~MusicPlayer() {
    musicClose();
}

void MusicPlayer::open(const String& name) {
    decoded.samples.clear();
    finished = false;
    musicOpen(name.c_str(), kTrackRate);
}

bool MusicPlayer::ready() {
    if (finished) {
        return true;
    }
    const int state = musicState();
    if (state == 0) {
        return false;
    }
    if (state == 1) {
        const double frames = musicFrames();
        decoded.samples.resize(static_cast<size_t>(frames) * kTrackChannels);
        musicCopy(decoded.samples.data(), frames);
    }
    finished = true;
    return true;
}

void MusicPlayer::play(int64_t frame) {
    musicPlay(static_cast<double>(frame), kTrackRate);
}

void MusicPlayer::pause() {
    musicPause();
}

double MusicPlayer::clockSeconds() const {
    return musicClock();
}
