// SDL audio through its queue: pulled from the mixer on the game's own thread, so nothing is shared with
// SDL's audio thread but the queue SDL guards itself.
#include "SdlAudio.h"

#include <SDL.h>

#include <cstring>
#include <string>

#include "app/GameSound.h"
#include "common/Report.h"

namespace {

constexpr Uint32 aheadFrames = 2048;   // about 46 ms at 44.1 kHz
constexpr Uint16 deviceFrames = 512;   // the device's own buffer, about 12 ms
constexpr int bytesPerFrame = 4;       // 16-bit stereo
SDL_AudioDeviceID device = 0;
int16_t buffer[2 * aheadFrames];

void noSound(const std::string& why) {
    reportError("no sound: " + why + "; the game plays on silently");
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace

void openAudio() {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return noSound(SDL_GetError());
    const char* driver = SDL_GetCurrentAudioDriver();
    if (driver && std::strcmp(driver, "dummy") == 0) return noSound("SDL's audio driver is the dummy one");
    SDL_AudioSpec want = {};
    want.freq = mixRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = deviceFrames;
    device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);  // SDL converts to what the device takes
    if (!device) return noSound(SDL_GetError());
    SDL_PauseAudioDevice(device, 0);
}

void feedAudio() {
    if (!device) return;
    const Uint32 queued = SDL_GetQueuedAudioSize(device) / bytesPerFrame;
    if (queued >= aheadFrames) return;
    const Uint32 frames = aheadFrames - queued;
    GameSound::instance().mixer().mix(buffer, frames);
    SDL_QueueAudio(device, buffer, frames * bytesPerFrame);
}

void closeAudio() {
    if (!device) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
