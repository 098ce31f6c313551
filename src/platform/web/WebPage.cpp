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

EM_JS(char*, queryText, (), {
    const search = window.location.search;
    const text = search.startsWith("?") ? search.substring(1) : search;
    const size = lengthBytesUTF8(text) + 1;
    const out = _malloc(size);
    stringToUTF8(text, out, size);
    return out;
});

EM_JS(double, dateNow, (), { return Date.now(); });
// clang-format on

}  // namespace

void web::showNotice(const std::string& text) { setElementText("notice", text.c_str()); }
void web::showSummary(const std::string& json) { setElementText("summary", json.c_str()); }
void web::showKeys(const std::string& text) { setElementText("keys", text.c_str()); }
void web::offerFile(const std::string& path, const std::string& name, bool download) {
    linkFile(path.c_str(), name.c_str(), download);
}

std::string web::pageQuery() {
    char* text = queryText();
    std::string query = text ? text : "";
    std::free(text);
    return query;
}

unsigned web::wallClockMs() { return unsigned(static_cast<unsigned long long>(dateNow()) & 0xFFFFFFFFu); }
