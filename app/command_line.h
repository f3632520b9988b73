// The program's command line split into parameters, by the rules Windows programs
// use for argv (quotes group, backslashes escape only a quote). Done here rather
// than through the shell library so that a start never has to load it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// The parameters after the program's own name.
std::vector<std::wstring> CommandLineParameters(std::wstring_view commandLine);
