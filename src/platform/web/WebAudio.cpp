// Web Audio: a script processor asks for blocks of sound; each is mixed by the game's mixer into the page's
// memory and spread into the two channels. The loudest sample of the last block and of all so far are kept on
// the module, for the page's tests to read.
#include "WebAudio.h"

#include <emscripten.h>

#include "audio/Mixer.h"

namespace {

constexpr int blockFrames = 2048;  // about 46 ms at the mixer's rate, the desktop queue's lead
MixSource mixSource = nullptr;
int16_t block[2 * blockFrames];

// The page's JavaScript, as the browser reads it: kept from the C++ formatter.
// clang-format off
EM_JS(void, startWebAudio, (int rate, int frames, int16_t* samples), {
    if (Module.vanturoAudio) return;
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return;
    const context = new Context({sampleRate: rate});
    const node = context.createScriptProcessor(frames, 0, 2);
    Module.vanturoSoundPeak = 0;
    node.onaudioprocess = (event) => {
        Module._vanturoMixBlock();
        const left = event.outputBuffer.getChannelData(0), right = event.outputBuffer.getChannelData(1);
        const first = samples >> 1;
        let loudest = 0;
        for (let i = 0; i < frames; ++i) {
            const l = HEAP16[first + 2 * i], r = HEAP16[first + 2 * i + 1];
            left[i] = l / 32768;
            right[i] = r / 32768;
            loudest = Math.max(loudest, Math.abs(l), Math.abs(r));
        }
        Module.vanturoSoundLevel = loudest;  // the last block's loudest sample
        Module.vanturoSoundPeak = Math.max(Module.vanturoSoundPeak, loudest);
    };
    node.connect(context.destination);
    Module.vanturoAudio = context;
    Module.vanturoAudioNode = node;
});

EM_JS(void, resumeWebAudio, (), {
    if (Module.vanturoAudio && Module.vanturoAudio.state !== "running") Module.vanturoAudio.resume();
});

EM_JS(void, stopWebAudio, (), {
    if (!Module.vanturoAudio) return;
    Module.vanturoAudioNode.disconnect();
    Module.vanturoAudio.close();
    Module.vanturoAudio = null;
});
// clang-format on

}  // namespace

extern "C" EMSCRIPTEN_KEEPALIVE void vanturoMixBlock() {
    if (mixSource) mixSource(block, blockFrames);
}

bool web::openAudio(MixSource source) {
    mixSource = source;
    return true;  // Web Audio is started by the player's first gesture, which browsers ask for
}

void web::resumeAudio() {
    if (mixSource) startWebAudio(mixRate, blockFrames, block);
    resumeWebAudio();
}

void web::closeAudio() {
    stopWebAudio();
    mixSource = nullptr;
}
