// Fuzz entry of the sample reader: a parsed sound must hold whole frames of samples in -1..1.
#include <cmath>
#include <cstdint>
#include <cstdlib>

#include "platform/WavParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WavSound sound;
    if (ParseWav(data, size, sound) != WavStatus::Ok) {
        if (!sound.samples.empty()) std::abort();
        return 0;
    }
    if ((sound.channels != 1 && sound.channels != 2) || sound.sampleRate <= 0 ||
        sound.samples.size() % static_cast<size_t>(sound.channels) != 0) {
        std::abort();
    }
    for (float sample : sound.samples) {
        if (!(std::fabs(sample) <= 1.0f)) std::abort();
    }
    return 0;
}
