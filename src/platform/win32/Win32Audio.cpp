// waveOut with buffers of about 12 ms: the device plays some while the game refills those it finished, as
// many queued as the passes' pace asks for (audio/AudioLead.h), all on the game's own thread (no callback).
#include "Win32Audio.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>

#include "audio/AudioLead.h"
#include "audio/Mixer.h"
#include "common/Report.h"

namespace {

constexpr DWORD bufferFrames = 512;
constexpr int bufferCount = int(AudioLead::mostFrames / bufferFrames) + 2;
constexpr int bytesPerFrame = 4;  // 16-bit stereo
HWAVEOUT device = nullptr;
AudioLead lead;
MixSource mixSource = nullptr;
WAVEHDR headers[bufferCount];
int16_t samples[bufferCount][2 * bufferFrames];

}  // namespace

bool openAudio(MixSource source) {
    mixSource = source;
    WAVEFORMATEX format = {};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = mixRate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = bytesPerFrame;
    format.nAvgBytesPerSec = mixRate * bytesPerFrame;
    const MMRESULT result = waveOutOpen(&device, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL);
    if (result != MMSYSERR_NOERROR) {
        device = nullptr;
        char text[MAXERRORLENGTH] = "no device";
        waveOutGetErrorTextA(result, text, sizeof text);
        reportError(std::string("no sound: ") + text + "; the game plays on silently");
        return false;
    }
    for (int i = 0; i < bufferCount; ++i) {
        headers[i] = WAVEHDR();
        headers[i].lpData = reinterpret_cast<LPSTR>(samples[i]);
        headers[i].dwBufferLength = bufferFrames * bytesPerFrame;
        headers[i].dwFlags = WHDR_DONE;  // free to fill
    }
    return true;
}

void feedAudio() {
    if (!device) return;
    const DWORD ahead = lead.afterPass(unsigned(GetTickCount()));
    const int wanted = int((ahead + bufferFrames - 1) / bufferFrames);
    int queued = 0;
    for (const WAVEHDR& header : headers) queued += (header.dwFlags & WHDR_DONE) ? 0 : 1;
    for (WAVEHDR& header : headers) {
        if (queued >= wanted) break;
        if (!(header.dwFlags & WHDR_DONE)) continue;
        if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device, &header, sizeof header);
        mixSource(reinterpret_cast<int16_t*>(header.lpData), bufferFrames);
        header.dwFlags = 0;
        if (waveOutPrepareHeader(device, &header, sizeof header) != MMSYSERR_NOERROR ||
            waveOutWrite(device, &header, sizeof header) != MMSYSERR_NOERROR)
            header.dwFlags = WHDR_DONE;  // tried again after the next pass
        else
            ++queued;
    }
}

void closeAudio() {
    if (!device) return;
    waveOutReset(device);  // every buffer comes back done
    for (WAVEHDR& header : headers)
        if (header.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device, &header, sizeof header);
    waveOutClose(device);
    device = nullptr;
}
