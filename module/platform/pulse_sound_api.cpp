#include "platform/pulse_sound_api.h"

#include "core/shared_library.h"

namespace {

class LoadedSound {
public:
    LoadedSound() : sndfile_("libsndfile.so.1"), pulse_("libpulse-simple.so.0") {
        complete_ = sndfile_.resolve(api_.open, "sf_open") &&
                    sndfile_.resolve(api_.openVirtual, "sf_open_virtual") &&
                    sndfile_.resolve(api_.readFramesShort, "sf_readf_short") &&
                    sndfile_.resolve(api_.close, "sf_close") &&
                    pulse_.resolve(api_.streamNew, "pa_simple_new") &&
                    pulse_.resolve(api_.streamWrite, "pa_simple_write") &&
                    pulse_.resolve(api_.streamDrain, "pa_simple_drain") &&
                    pulse_.resolve(api_.streamFree, "pa_simple_free");
    }

    const PulseSoundApi* api() const { return complete_ ? &api_ : nullptr; }

private:
    quorstat::SharedLibrary sndfile_;
    quorstat::SharedLibrary pulse_;
    PulseSoundApi api_;
    bool complete_ = false;
};

}  // namespace

const PulseSoundApi* PulseSound() {
    static const LoadedSound sound;
    return sound.api();
}
