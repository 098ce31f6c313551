// A flight as a link: a demo's seed, level, input and final state, coded small enough to travel in an
// address's fragment ("vanturo.html#flight=..."), which never reaches a server. docs/DEMOS.md gives the format.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace flightLink {
constexpr char page[] = "vanturo.html";
constexpr char key[] = "flight=";
constexpr uint8_t version = 1;
// Far beyond any real flight's link (an hour of play is a few hundred thousand characters).
constexpr size_t maxChars = 16u << 20;
}  // namespace flightLink

// Whether text (an address, a fragment, a file's contents) holds a flight link.
bool holdsFlightLink(const std::string& text);
// Whether a command line's argument is a link itself rather than the name of a file (which may hold one).
bool playsALink(const std::string& argument);

// The link of a whole demo, as an address relative to the page. False with a one-line reason for a demo that
// cannot be read.
bool flightLinkOfDemo(const std::vector<unsigned char>& demo, std::string& link, std::string& error);

// The demo a link holds: the header, the input and frame times, the final state; every frame's state digest 0,
// as a link carries only the final state to compare. False with a one-line reason for a link that is damaged,
// cut, forged or of another format: nothing of it is to be played.
bool demoOfFlightLink(const std::string& text, std::vector<unsigned char>& demo, std::string& error);
