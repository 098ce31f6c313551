// vanturo-sim: runs the game headless and prints a JSON summary. Exit code 0 on success, 2 on bad options,
// unusable paths or a bad demo, 1 when the run or a write fails, 3 when a demo does not replay to its state.
// vanturo-sim --help lists the options.
#include <cstdio>
#include <string>

#include "Headless.h"
#include "sim/Simulation.h"
#include "common/OutputFile.h"
#include "common/Report.h"
#include "common/Shell.h"
#include "common/Termination.h"
#include "platform/posix/MemoryArenas.h"

int main(int argc, char** argv) {
    posix::keepMemoryArenasFew();
    setProgramName("vanturo-sim");
    useShell(headless::shell());
    catchTerminationSignals();
    SimOptions options;
    const CommandLine::Outcome outcome = parseSimOptions(argc, argv, options);
    if (!outcome.proceed) return CommandLine::finish(outcome);
    // An output written to standard output (--audio /dev/stdout > f.wav) is not to be written over by the
    // summary: the summary then goes to standard error.
    bool summaryAside = false;
    for (const std::string* path : {&options.tracePath, &options.shotPath, &options.recordPath, &options.audioPath})
        summaryAside = summaryAside || (!path->empty() && isStandardStream(*path, 1));
    std::string summary, error;
    const int code = runSimulation(options, summary, error);
    const int signal = terminationSignal();
    if (signal && code != exitSuccess && code != signalExitCode(signal))  // a wait the signal cut short
        return reportFailure("stopped by " + signalName(signal) + "; no output is kept", signalExitCode(signal));
    if (code != exitSuccess && summary.empty()) return error.empty() ? code : reportFailure(error, code);
    // The summary is output too: a failed write of it is a failed run.
    std::FILE* out = summaryAside ? stderr : stdout;
    if (std::fprintf(out, "%s\n", summary.c_str()) < 0 || std::fflush(out) != 0)
        return reportFailure("cannot write the summary");
    if (code != exitSuccess) reportError(error);
    return code;
}
