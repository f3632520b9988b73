// Reference files of the core tests (tests/core/data), natively and under Wine.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

inline std::filesystem::path TestDataPath(const std::string& name) {
#ifdef _WIN32
    return std::filesystem::path("Z:" TIVORN_TEST_DATA_DIR) / name;  // Wine's drive of the Linux root
#else
    return std::filesystem::path(TIVORN_TEST_DATA_DIR) / name;
#endif
}

// Lines of a UTF-8 reference file, without line ends.
inline std::vector<std::string> TestDataLines(const std::string& name) {
    std::ifstream in(TestDataPath(name), std::ios::binary);
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    return lines;
}
