#include "SimRun.h"
#include <sys/wait.h>

#include <regex>

#include "Fixtures.h"
#include "HangGuard.h"

SimRun runProgram(const std::string& commandLine) {
    SimRun run{-1, ""};
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    while (size_t n = fread(buffer, 1, sizeof buffer, pipe)) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

SimRun sim(const std::string& arguments, const std::string& shellPrefix) {
    return runProgram(shellPrefix + hangGuard() + std::string(VANTURO_SIM) + " " + arguments);
}

SimRun signalledRun(const std::string& commandLine, const std::string& ready, const std::string& signal) {
    const std::string script = makeTempDir() + "/signalled.sh";
    std::ofstream(script) << commandLine << " &\npid=$!\n"
                          << "for _ in $(seq " << hangGuardSeconds * 10 << "); do { " << ready
                          << "; } 2>/dev/null && break; sleep 0.1; done\n"
                          << "kill -" << signal << " $pid\nwait $pid\n";
    return runProgram("bash " + script);
}

double field(const std::string& json, const std::string& path) {
    const std::regex pattern("\"" + path + "\":(-?[0-9.eE+-]+)");
    std::smatch m;
    return std::regex_search(json, m, pattern) ? std::stod(m[1]) : -12345;
}

std::string flatLevel(bool withTower) {
    ObjectMap map(64, 64);
    map.set(8, 2, 0, 1, 0, 0);
    if (withTower) map.set(20, 20, 1, 0, 1, 0);
    return writeLevelFolder(map);
}
