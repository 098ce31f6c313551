// Sharing a flight: the link printed and handed to the shell, the demo saved beside the pictures.
#include "app/FlightShare.h"

#include <vector>

#include "app/DemoSession.h"
#include "app/FlightLink.h"
#include "app/Screenshot.h"
#include "common/Report.h"
#include "common/Shell.h"

std::string shareFlight() {
    std::vector<unsigned char> demo;
    std::string link, error;
    if (!DemoSession::instance().flightSoFar(demo)) return "This flight is too long to share.";
    if (!flightLinkOfDemo(demo, link, error)) {
        reportError("the flight cannot be shared: " + error);
        return "The flight cannot be shared: " + error;
    }
    reportNote("the flight's link: " + link);  // where the terminal shows it, never in a tool's own output
    const Shell& platform = shell();
    const bool copied = platform.shareLink && platform.shareLink(link);
    std::string said = copied ? "Link to this flight copied" : "Link to this flight printed";
    if (platform.savesSharedFlights) {
        const std::string path = saveInPicturesFolder(demo, ".demo", error);
        if (path.empty()) {
            reportError("the flight's demo was not saved: " + error);
            said += "; its demo not saved: " + error;
        } else {
            reportNote("the flight's demo saved to " + path);
            said += "; demo saved to " + shortPath(path);
        }
    }
    return said + ".";
}
