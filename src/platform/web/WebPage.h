// What the web shell shows and reads in its page, around the canvas: the notice line, the deterministic run's
// summary and last frame, downloads, the address's query and the browser's clock.
#pragma once

#include <cstddef>
#include <string>

namespace web {

// The text of the element with id "notice" (a failure, or how to fly again).
void showNotice(const std::string& text);
// The element with id "summary": the deterministic run's JSON summary.
void showSummary(const std::string& json);
// The page's line of keys under the canvas, in the keys bound now.
void showKeys(const std::string& text);
// The file at path (in the page's file system) downloaded as name, or, not downloaded, linked from the
// element with id "shot".
void offerFile(const std::string& path, const std::string& name, bool download);
// The address's query, without its "?", and its fragment, without its "#".
std::string pageQuery();
std::string pageFragment();
// A shared flight's link, made whole against the page's address: copied, and offered to the share sheet.
bool shareLink(const std::string& link);
// Milliseconds since 1970, wrapping at 2^32: the seed differs per visit, as on the desktop.
unsigned wallClockMs();

}  // namespace web
