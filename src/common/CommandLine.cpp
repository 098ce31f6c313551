#include "CommandLine.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>

#include "common/Report.h"

#ifndef VANTURO_VERSION
#define VANTURO_VERSION "unknown"
#endif
const char* const vanturoVersion = VANTURO_VERSION;

CommandLine::CommandLine(std::string purpose) : purpose_(std::move(purpose)) {}

void CommandLine::flag(const std::string& name, const std::string& help, std::function<void()> set) {
    options_.push_back({name, "", help, nullptr, std::move(set)});
}

void CommandLine::value(const std::string& name, const std::string& valueName, const std::string& help,
                        std::function<std::string(const std::string&)> set) {
    options_.push_back({name, valueName, help, std::move(set), nullptr});
}

void CommandLine::toggle(const std::string& name, const std::string& valueName, const std::string& help,
                         std::function<std::string(const std::string&)> set) {
    options_.push_back({name, valueName, help, std::move(set), nullptr, true});
}

void CommandLine::number(const std::string& name, const std::string& valueName, const std::string& help,
                         long long lo, long long hi, std::function<void(long long)> set) {
    value(name, valueName, help, [lo, hi, set](const std::string& text) -> std::string {
        char* end = nullptr;
        errno = 0;
        const long long n = std::strtoll(text.c_str(), &end, 10);
        const bool startsAsNumber = !text.empty() && (text[0] == '-' || (text[0] >= '0' && text[0] <= '9'));
        if (!startsAsNumber || *end != '\0' || errno != 0 || n < lo || n > hi)
            return "takes a whole number from " + std::to_string(lo) + " to " + std::to_string(hi);
        set(n);
        return "";
    });
}

const CommandLine::Option* CommandLine::find(const std::string& name) const {
    for (const Option& option : options_)
        if (option.name == name) return &option;
    return nullptr;
}

CommandLine::Outcome CommandLine::refuse(const std::string& what) {
    const std::string program = programName();
    return {false, exitUsage, program + ": " + what + " (" + program + " --help lists the options)\n"};
}

CommandLine::Outcome CommandLine::parse(int argc, const char* const* argv) const {
    for (int i = 1; i < argc; ++i) {
        std::string name = argv[i];
        std::string text;
        bool hasText = false;
        const size_t equals = name.find('=');
        if (name.rfind("--", 0) == 0 && equals != std::string::npos) {
            text = name.substr(equals + 1);
            name.resize(equals);
            hasText = true;
        }
        if (name == "--help" && !hasText) return {false, exitSuccess, help()};
        if (name == "--version" && !hasText) return {false, exitSuccess, std::string(programName()) + " " + vanturoVersion + "\n"};
        const Option* option = find(name);
        if (!option) return refuse("unknown option " + name);
        if (!option->set) {
            if (hasText) return refuse(name + " takes no value");
            option->setFlag();
            continue;
        }
        if (!hasText && option->valueOptional) {
            text = "true";
        } else if (!hasText) {
            if (i + 1 >= argc) return refuse(name + " needs " + option->valueName);
            text = argv[++i];
        }
        const std::string wrong = option->set(text);
        if (!wrong.empty()) return refuse(name + " " + wrong);
    }
    return {};
}

std::string CommandLine::help() const {
    std::string usage = "usage: " + std::string(programName()) + " [options]\n" + purpose_ + "\n\noptions:\n";
    auto line = [&usage](const std::string& left, const std::string& help) {
        usage += "  " + left;
        usage += left.size() < 22 ? std::string(22 - left.size(), ' ') : std::string("\n") + std::string(24, ' ');
        usage += help + "\n";
    };
    for (const Option& option : options_)
        line(option.name + (option.valueOptional ? "[=" + option.valueName + "]"
                            : option.set         ? " " + option.valueName
                                                 : std::string()),
             option.help);
    line("--help", "show this help and exit");
    line("--version", "show the version and exit");
    return usage;
}

int CommandLine::finish(const Outcome& outcome) {
    std::fputs(outcome.text.c_str(), outcome.exitCode == 0 ? stdout : stderr);
    std::fflush(stdout);
    return outcome.exitCode;
}

bool parseSize(const std::string& text, int lo, int hi, int& width, int& height) {
    const size_t x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size()) return false;
    for (size_t i = 0; i < text.size(); ++i)
        if (i != x && (text[i] < '0' || text[i] > '9')) return false;
    if (x > 6 || text.size() - x - 1 > 6) return false;
    width = std::atoi(text.substr(0, x).c_str());
    height = std::atoi(text.substr(x + 1).c_str());
    return width >= lo && width <= hi && height >= lo && height <= hi;
}
