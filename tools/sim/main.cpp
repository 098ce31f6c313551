// vanturo-sim: runs the game headless and prints a JSON summary. Exit code 0 on success, 2 on bad options or
// unusable paths, 1 when the run or a write fails.
//   vanturo-sim [--data DIR] [--frames N] [--frame-ms MS] [--seed S] [--mouse X,Y] [--input FILE]
//               [--shot PATH] [--trace PATH] [--time]
#include <cstdio>
#include <string>

#include "Simulation.h"

int main(int argc, char** argv) {
    SimOptions options;
    const CommandLine::Outcome outcome = parseSimOptions(argc, argv, options);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    std::string summary, error;
    const int code = runSimulation(options, summary, error);
    if (code != 0) {
        std::fprintf(stderr, "vanturo-sim: %s\n", error.c_str());
        return code;
    }
    // The summary is output too: a failed write of it is a failed run.
    if (std::printf("%s\n", summary.c_str()) < 0 || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "vanturo-sim: cannot write the summary\n");
        return 1;
    }
    return 0;
}
