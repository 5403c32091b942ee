#pragma once
// Points stderr at /dev/null for the lifetime of the object. The libraries under SDL print
// their own complaints there (ALSA without a card, PulseAudio and Wayland without a runtime
// folder), and the demo is silent about failures by design.

class QuietStderr {
public:
    QuietStderr();
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;
    ~QuietStderr();

private:
    int saved = -1;  // the real stderr, restored at the end; -1 when it could not be kept
};
