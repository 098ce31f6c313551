// One way to tell the person running a program what went wrong: one line on stderr, after the program's name.
#pragma once

#include <string>

// Set once at the start of main: "vanturo", "vanturo-sim", "vanturo-levelgen".
void setProgramName(const char* name);
const char* programName();

// "NAME: message" on stderr.
void reportError(const std::string& message);
