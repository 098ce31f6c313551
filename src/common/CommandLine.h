// The one command-line parser of the game and its tools: long options only ("--name VALUE" or
// "--name=VALUE"), with --help and --version answered for every program the same way.
#pragma once

#include <functional>
#include <string>
#include <vector>

// The version every program reports.
extern const char* const vanturoVersion;

class CommandLine {
   public:
    // What parse decided: go on with the options set, or end now with exitCode after printing text (to
    // stdout when exitCode is 0, otherwise to stderr).
    struct Outcome {
        bool proceed = true;
        int exitCode = 0;
        std::string text;
    };

    // purpose: one line saying what the program does, shown under the usage line after the program's name.
    explicit CommandLine(std::string purpose);

    void flag(const std::string& name, const std::string& help, std::function<void()> set);
    // set returns "" when it took the value, otherwise what is wrong with it ("takes a whole number", ...).
    void value(const std::string& name, const std::string& valueName, const std::string& help,
               std::function<std::string(const std::string&)> set);
    // An option that stands alone for "true" (--NAME), or takes its value after an equals sign (--NAME=false).
    void toggle(const std::string& name, const std::string& valueName, const std::string& help,
                std::function<std::string(const std::string&)> set);
    // A whole number from lo to hi.
    void number(const std::string& name, const std::string& valueName, const std::string& help, long long lo,
                long long hi, std::function<void(long long)> set);

    Outcome parse(int argc, const char* const* argv) const;
    std::string help() const;

    // Prints what an outcome that does not proceed has to say; returns its exit code.
    static int finish(const Outcome& outcome);
    // A mistake on the command line: one line naming it, exit code 2.
    static Outcome refuse(const std::string& what);

   private:
    struct Option {
        std::string name, valueName, help;
        std::function<std::string(const std::string&)> set;  // empty for a flag
        std::function<void()> setFlag;
        bool valueOptional = false;  // a toggle's
    };
    const Option* find(const std::string& name) const;

    std::string purpose_;
    std::vector<Option> options_;
};

// Parses "WxH" (for instance "1024x768") with both sides from lo to hi.
bool parseSize(const std::string& text, int lo, int hi, int& width, int& height);
