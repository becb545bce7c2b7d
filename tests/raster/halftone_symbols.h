#pragma once

// Reads the symbols that the core's static library, or the shared library's dynamic symbol
// table, defines, through `nm`.

#include <cstdio>
#include <map>
#include <sstream>
#include <string>

#include <unistd.h>

namespace halftone_test {

// The static core library next to this test's build tree: <build>/tests/test_x ->
// <build>/liblumeko_core.a.
inline std::string coreLibraryPath() {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n <= 0) {
        return {};
    }
    std::string path(exe, static_cast<size_t>(n));
    for (int up = 0; up < 2; ++up) {
        const size_t slash = path.rfind('/');
        if (slash == std::string::npos) {
            return {};
        }
        path.erase(slash);
    }
    return path + "/liblumeko_core.a";
}

// The shared library for the host, built next to the core library (only where the host
// bridge is built).
inline std::string sharedLibraryPath() {
    std::string path = coreLibraryPath();
    const size_t slash = path.rfind('/');
    if (slash == std::string::npos) {
        return {};
    }
    return path.substr(0, slash) + "/liblumeko.so";
}

// Name -> nm type letter of every external symbol the library defines, names as stored
// (not demangled); with `dynamic`, of its dynamic symbol table. Empty when nm cannot be run.
inline std::map<std::string, char> definedSymbols(const std::string& library,
                                                  bool dynamic = false) {
    std::map<std::string, char> symbols;
    const std::string command = std::string("nm ") + (dynamic ? "-D" : "-g") + " --defined-only '" +
                                library + "' 2>/dev/null";
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return symbols;
    }
    char line[4096];
    while (fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream in(line);
        std::string address;
        std::string type;
        std::string name;
        if (in >> address >> type >> name && type.size() == 1) {
            symbols[name] = type[0];
        }
    }
    pclose(pipe);
    return symbols;
}

}  // namespace halftone_test
