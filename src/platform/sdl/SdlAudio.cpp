// SDL audio through its queue: pulled from the mixer on the game's own thread, so nothing is shared with
// SDL's audio thread but the queue SDL guards itself.
#include "SdlAudio.h"

#include <SDL.h>

#if defined(__unix__)
#include <fcntl.h>
#include <unistd.h>
#endif

#include <cerrno>
#include <cstring>
#include <string>

#include "audio/AudioLead.h"
#include "audio/Mixer.h"
#include "common/Report.h"

namespace {

constexpr Uint16 deviceFrames = 512;  // the device's own buffer, about 12 ms
constexpr int bytesPerFrame = 4;      // 16-bit stereo
SDL_AudioDeviceID device = 0;
MixSource mixSource = nullptr;
AudioLead lead;
int16_t buffer[2 * AudioLead::mostFrames];

// The audio libraries under SDL (ALSA's above all) print their own complaints on stderr while SDL tries its
// drivers: they are held back while the device is opened, and the player reads our one line instead.
class QuietStderr {
   public:
#if defined(__unix__)
    QuietStderr() : saved_(dup(STDERR_FILENO)) {
        const int null = open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
        if (null >= 0) close(null);
    }
    ~QuietStderr() {
        if (saved_ < 0) return;
        dup2(saved_, STDERR_FILENO);
        close(saved_);
    }

   private:
    int saved_;
#endif
};

// SDL's disk driver drops what it cannot write without a word: its file is tried first.
std::string diskFileProblem() {
#if defined(__unix__)
    const char* named = SDL_getenv("SDL_DISKAUDIOFILE");
    const std::string path = named && *named ? named : "sdlaudio.raw";
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
    const unsigned char silence[bytesPerFrame] = {};
    const bool written = fd >= 0 && write(fd, silence, sizeof silence) == ssize_t(sizeof silence);
    const std::string why =
        written ? "" : "SDL's disk audio file " + path + " cannot be written (" + std::strerror(errno) + ")";
    if (fd >= 0) close(fd);
    return why;
#else
    return "";
#endif
}

void noSound(const std::string& why) {
    reportError("no sound: " + why + "; the game plays on silently");
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

}  // namespace

bool openAudio(MixSource source) {
    mixSource = source;
    std::string why;
    {
        QuietStderr quiet;
        const char* driver = nullptr;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
            why = std::string("SDL's audio would not start: ") + SDL_GetError();
        } else if (!(driver = SDL_GetCurrentAudioDriver())) {
            why = "SDL has no audio driver";
        } else if (std::strcmp(driver, "dummy") == 0) {
            why = "SDL's audio driver is the dummy one";
        } else if (std::strcmp(driver, "disk") == 0) {
            why = diskFileProblem();
        }
        if (why.empty()) {
            SDL_AudioSpec want = {};
            want.freq = mixRate;
            want.format = AUDIO_S16SYS;
            want.channels = 2;
            want.samples = deviceFrames;
            device = SDL_OpenAudioDevice(nullptr, 0, &want, nullptr, 0);  // SDL converts to what the device takes
            if (!device) why = SDL_GetError();
        }
    }
    if (!device) {
        noSound(why);
        return false;
    }
    SDL_PauseAudioDevice(device, 0);
    return true;
}

void feedAudio() {
    if (!device) return;
    const Uint32 ahead = lead.afterPass(unsigned(SDL_GetTicks()));
    const Uint32 queued = SDL_GetQueuedAudioSize(device) / bytesPerFrame;
    if (queued >= ahead) return;
    const Uint32 frames = ahead - queued;
    mixSource(buffer, frames);
    SDL_QueueAudio(device, buffer, frames * bytesPerFrame);
}

void closeAudio() {
    if (!device) return;
    SDL_CloseAudioDevice(device);
    device = 0;
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}
