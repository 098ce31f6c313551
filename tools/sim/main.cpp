// vanturo-sim: runs the game headless and prints a JSON summary. Exit code 0 on success, 2 on bad options.
//   vanturo-sim [--data DIR] [--frames N] [--frame-ms MS] [--seed S] [--mouse X,Y] [--input FILE]
//               [--shot PATH] [--trace PATH] [--time]
#include <cstdio>
#include <string>

#include "Simulation.h"

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!parseSimOptions(argc, argv, options, error)) {
        std::fprintf(stderr, "vanturo-sim: %s\n", error.c_str());
        return 2;
    }
    const std::string summary = runSimulation(options, error);
    if (summary.empty()) {
        std::fprintf(stderr, "vanturo-sim: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s\n", summary.c_str());
    return 0;
}
