#include <exception>
#include <iostream>
#include <string>

#include "sample/TestCard.h"

// Writes the sample recording, by default sample.raw in the current folder.
int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "usage: zeveduz-sample [file]\n";
        return 2;
    }
    std::string path = argc == 2 ? argv[1] : "sample.raw";
    try {
        zv::sample::WriteSample(path);
    } catch (const std::exception& error) {
        std::cerr << "zeveduz-sample: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
