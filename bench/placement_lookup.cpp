// The time placement::findRow takes to find the last row of a 10 MB file,
// for three kinds of file: a comma CPL with unit suffixes, a text position
// file with padded columns, and a tab CPL in UTF-16LE. Prints one line per
// kind: the median, the fastest and the slowest of the runs. Exits 1 when a
// row is not found as written. Usage: placement_lookup_bench [RUNS]
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "placement/placement_file.h"

namespace {

constexpr std::size_t kFileBytes = 10 * 1000 * 1000;

struct Kind {
    const char* what;
    const char* fileName;
    std::string header;
    // One row of part `n`, whose X is n + 0.5 millimetres.
    std::string (*row)(std::size_t n);
    bool utf16;
};

std::string xOf(std::size_t n) {
    return std::to_string(n) + ".5";
}

std::string cplRow(std::size_t n) {
    return "R" + std::to_string(n) + "," + xOf(n) + "mm,-12.5mm," + (n % 2 ? "T" : "B") + ",90\n";
}

std::string posRow(std::size_t n) {
    char text[128];
    std::snprintf(text, sizeof text, "%-9s %-16s %-11s %10s %10s %9s  %s\n",
                  ("R" + std::to_string(n)).c_str(), "4k7 1%, 0.1W", "R_0805", xOf(n).c_str(),
                  "-12.5000", "90.0000", n % 2 ? "top" : "bottom");
    return text;
}

std::string tabRow(std::size_t n) {
    return "R" + std::to_string(n) + "\tR_0805\t" + xOf(n) + "mm\t-12.5mm\tT\t90\t4k7\r\n";
}

std::string utf16le(std::string_view text) {
    std::string bytes = "\xFF\xFE";
    for (const char c : text) {
        bytes.push_back(c);
        bytes.push_back('\0');
    }
    return bytes;
}

// The file, and the number of its last part.
struct File {
    std::string bytes;
    std::size_t lastPart = 0;
};

File makeFile(const Kind& kind) {
    File file;
    std::string text = kind.header;
    const std::size_t textBytes = kind.utf16 ? kFileBytes / 2 : kFileBytes;
    for (std::size_t n = 1; text.size() < textBytes; ++n) {
        text += kind.row(n);
        file.lastPart = n;
    }
    file.bytes = kind.utf16 ? utf16le(text) : std::move(text);
    return file;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 11;
    const std::vector<Kind> kinds{
        {"comma CPL, mm suffixes", "cpl.csv", "Designator,Mid X,Mid Y,Layer,Rotation\n", cplRow,
         false},
        {"text position file, padded columns", "top.pos",
         "## Unit = mm, Angle = deg.\n# Ref  Val  Package  PosX  PosY  Rot  Side\n", posRow, false},
        {"tab CPL in UTF-16LE", "cpl.txt",
         "Designator\tFootprint\tMid X\tMid Y\tLayer\tRotation\tComment\r\n", tabRow, true},
    };
    int status = 0;
    for (const Kind& kind : kinds) {
        const File file = makeFile(kind);
        const std::string refDes = "R" + std::to_string(file.lastPart);
        std::vector<double> ms;
        for (int run = 0; run < runs; ++run) {
            const auto start = std::chrono::steady_clock::now();
            const placement::Lookup lookup = placement::findRow(file.bytes, kind.fileName, refDes);
            const auto stop = std::chrono::steady_clock::now();
            ms.push_back(std::chrono::duration<double, std::milli>(stop - start).count());
            if (!lookup.row || lookup.row->x != xOf(file.lastPart)) {
                std::printf("FAILED: %s: %s is not found as written (X %s): %s\n", kind.what,
                            refDes.c_str(), xOf(file.lastPart).c_str(),
                            lookup.row ? ("X " + lookup.row->x).c_str() : lookup.refusal.c_str());
                status = 1;
                break;
            }
        }
        std::sort(ms.begin(), ms.end());
        std::printf("%s, %.1f MB, %zu rows: last row in median %.1f ms (%.1f to %.1f), %zu runs\n",
                    kind.what, static_cast<double>(file.bytes.size()) / 1e6, file.lastPart,
                    ms[ms.size() / 2], ms.front(), ms.back(), ms.size());
    }
    return status;
}
