// The page around the canvas, through small pieces of JavaScript.
#include "WebPage.h"

#include <emscripten.h>

#include <cstdlib>

namespace {

// The page's JavaScript, as the browser reads it: kept from the C++ formatter.
// clang-format off
EM_JS(void, setElementText, (const char* id, const char* text), {
    const element = document.getElementById(UTF8ToString(id));
    if (element) element.textContent = UTF8ToString(text);
});

// Reads the file, makes a link to it, and clicks it when it is to be downloaded.
EM_JS(void, linkFile, (const char* path, const char* name, int download), {
    const bytes = FS.readFile(UTF8ToString(path));
    const url = URL.createObjectURL(new Blob([bytes], {type: "image/png"}));
    let link = download ? document.createElement("a") : document.getElementById("shot");
    if (!link) return;
    link.href = url;
    link.download = UTF8ToString(name);
    if (download) link.click();
});

// The address's query (fragment 0) or its fragment (1), without its leading "?" or "#".
EM_JS(char*, addressPart, (int fragment), {
    const part = fragment ? window.location.hash : window.location.search;
    const text = part.substring(1);
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});

EM_JS(double, dateNow, (), { return Date.now(); });

// The link made whole against the page's own address: to the clipboard, and to the system's share sheet where
// the browser has one (either may be refused; the notice still shows the link was made).
EM_JS(int, shareAddress, (const char* link), {
    const address = new URL(UTF8ToString(link), window.location.href).href;
    Module.vanturoSharedLink = address;
    if (navigator.share) navigator.share({title: document.title, url: address}).catch(() => {});
    if (!navigator.clipboard || !navigator.clipboard.writeText) return 0;
    navigator.clipboard.writeText(address).catch(() => {});
    return 1;
});
// clang-format on

}  // namespace

void web::showNotice(const std::string& text) { setElementText("notice", text.c_str()); }
void web::showSummary(const std::string& json) { setElementText("summary", json.c_str()); }
void web::showKeys(const std::string& text) { setElementText("keys", text.c_str()); }
void web::offerFile(const std::string& path, const std::string& name, bool download) {
    linkFile(path.c_str(), name.c_str(), download);
}

bool web::shareLink(const std::string& link) { return shareAddress(link.c_str()) != 0; }

namespace {
std::string pagePart(bool fragment) {
    char* text = addressPart(fragment ? 1 : 0);
    std::string part = text ? text : "";
    std::free(text);
    return part;
}
}  // namespace

std::string web::pageFragment() { return pagePart(true); }
std::string web::pageQuery() { return pagePart(false); }

unsigned web::wallClockMs() { return unsigned(static_cast<unsigned long long>(dateNow()) & 0xFFFFFFFFu); }
