#pragma once
// A piece of music decoded whole from an MP3 file by the program's own decoder (mpg123).

#include "resources/decoded_track.h"
#include "resources/mp3_stream.h"
#include "resources/string.h"

// Decodes a whole MP3 file of the data tree through an Mp3Stream. False, with an empty track,
// when the file is missing or undecodable.
bool decodeMp3(const String& name, DecodedTrack& track);
