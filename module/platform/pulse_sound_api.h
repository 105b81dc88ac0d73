#pragma once

#include <pulse/simple.h>
#include <sndfile.h>

namespace quorstat {
class SharedLibrary;
}

// The libsndfile and PulseAudio functions the sound thread calls, from the libraries opened at
// the first sound: linked, they and their codecs would load before the login dialog shows.
struct SndfileApi {
    decltype(&sf_open) open = nullptr;
    decltype(&sf_open_virtual) openVirtual = nullptr;
    decltype(&sf_readf_short) readFramesShort = nullptr;
    decltype(&sf_close) close = nullptr;

    bool resolve(const quorstat::SharedLibrary& library);
};

struct PulseSimpleApi {
    decltype(&pa_simple_new) streamNew = nullptr;
    decltype(&pa_simple_write) streamWrite = nullptr;
    decltype(&pa_simple_drain) streamDrain = nullptr;
    decltype(&pa_simple_free) streamFree = nullptr;

    bool resolve(const quorstat::SharedLibrary& library);
};

// Each library, opened on the first call; null when it cannot be loaded, and then nothing is
// played, as without a sound server.
const SndfileApi* Sndfile();
const PulseSimpleApi* PulseSimple();
