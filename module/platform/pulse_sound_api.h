#pragma once

#include <pulse/simple.h>
#include <sndfile.h>

// The libsndfile and PulseAudio functions the sound thread calls, from the libraries opened at
// the first sound: linked, they and their codecs would load before the login dialog shows.
struct PulseSoundApi {
    decltype(&sf_open) open = nullptr;
    decltype(&sf_open_virtual) openVirtual = nullptr;
    decltype(&sf_readf_short) readFramesShort = nullptr;
    decltype(&sf_close) close = nullptr;
    decltype(&pa_simple_new) streamNew = nullptr;
    decltype(&pa_simple_write) streamWrite = nullptr;
    decltype(&pa_simple_drain) streamDrain = nullptr;
    decltype(&pa_simple_free) streamFree = nullptr;
};

// Both libraries, opened on the first call; null when either cannot be loaded, and then nothing
// is played, as without a sound server.
const PulseSoundApi* PulseSound();
