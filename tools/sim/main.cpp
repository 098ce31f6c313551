// vanturo-sim: runs the game headless and prints a JSON summary. Exit code 0 on success, 2 on bad options,
// unusable paths or a bad demo, 1 when the run or a write fails, 3 when a demo does not replay to its state.
// vanturo-sim --help lists the options.
#include <cstdio>
#include <string>

#include "Headless.h"
#include "Simulation.h"
#include "common/Report.h"
#include "common/Shell.h"

int main(int argc, char** argv) {
    setProgramName("vanturo-sim");
    useShell(headless::shell());
    SimOptions options;
    const CommandLine::Outcome outcome = parseSimOptions(argc, argv, options);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    std::string summary, error;
    const int code = runSimulation(options, summary, error);
    if (code != exitSuccess && summary.empty()) return error.empty() ? code : reportFailure(error, code);
    // The summary is output too: a failed write of it is a failed run.
    if (std::printf("%s\n", summary.c_str()) < 0 || std::fflush(stdout) != 0)
        return reportFailure("cannot write the summary");
    if (code != exitSuccess) reportError(error);
    return code;
}
