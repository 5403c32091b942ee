#pragma once
// The music as a player with a timeline needs it: decoded whole in the background, played from
// any frame, paused, and a clock to time the picture by. Demo time follows this clock while the
// music plays, so picture and sound stay in step however many frames are dropped. Nothing here
// fails loudly: a missing or undecodable file, or no sound output, leaves an empty track, silence
// and a clock that still runs.

#include <cstdint>

#include "resources/decoded_track.h"
#include "resources/string.h"

class MusicPlayer {
public:
    MusicPlayer() = default;
    MusicPlayer(const MusicPlayer&) = delete;
    MusicPlayer& operator=(const MusicPlayer&) = delete;
    ~MusicPlayer();

    // Starts decoding the file of the data tree; ready() tells when it is done.
    void open(const String& name);
    // True once decoding has ended, with music or without.
    bool ready();
    // The decoded music, at kTrackRate: empty while decoding and when there is none.
    const DecodedTrack& track() const { return decoded; }
    // Plays from `frame` of the music on (silence past its end); the clock runs.
    void play(int64_t frame);
    // Stops the music and the clock until the next play.
    void pause();
    // Seconds of a clock that runs while the music plays, in step with what is heard.
    double clockSeconds() const;

private:
    DecodedTrack decoded;
    bool finished = false;
};
