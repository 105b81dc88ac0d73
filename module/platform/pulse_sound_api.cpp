#include "platform/pulse_sound_api.h"

#include "core/loaded_api.h"

bool SndfileApi::resolve(const quorstat::SharedLibrary& library) {
    return library.resolve(open, "sf_open") && library.resolve(openVirtual, "sf_open_virtual") &&
           library.resolve(readFramesShort, "sf_readf_short") && library.resolve(close, "sf_close");
}

bool PulseSimpleApi::resolve(const quorstat::SharedLibrary& library) {
    return library.resolve(streamNew, "pa_simple_new") &&
           library.resolve(streamWrite, "pa_simple_write") &&
           library.resolve(streamDrain, "pa_simple_drain") &&
           library.resolve(streamFree, "pa_simple_free");
}

const SndfileApi* Sndfile() {
    static const quorstat::LoadedApi<SndfileApi> sndfile("libsndfile.so.1");
    return sndfile.get();
}

const PulseSimpleApi* PulseSimple() {
    static const quorstat::LoadedApi<PulseSimpleApi> pulse("libpulse-simple.so.0");
    return pulse.get();
}
