// The cost of one checked write of hotkey.ini: win32::Profile::WriteString
// (a copy of the file, the system's write into the copy, both read back
// through the system and compared, the copy moved over the file) against
// the plain WritePrivateProfileStringA on a file of the same bytes.
//   write_bench [rounds]
// Medians; each write changes a value, alternating between two texts.
#include "BenchSupport.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace quickdex;
using namespace quickdex::bench;

namespace {

void Measure(int bindings, int rounds)
{
    Folder folder(("write" + std::to_string(bindings)).c_str());
    const std::string checked = (folder.path / "checked.ini").string();
    const std::string plain = (folder.path / "plain.ini").string();
    std::string text;
    if (bindings <= 100) {
        text = BindingsFile(bindings, "C:\\Tools\\last.exe");
    } else { // more sections than the table takes, as a hand-kept file may hold
        for (int i = 1; i <= bindings; ++i) {
            const std::string n = std::to_string(i), name = std::to_string(1000 + i);
            text.append("[3+").append(name).append("]\r\nAction=C:\\Tools\\tool").append(n);
            text.append(".exe\r\nHint=Tool ").append(n).append("\r\nSort=Tools\r\n");
        }
    }
    WriteFile(checked, text);
    WriteFile(plain, text);
    const std::string section = text.substr(1, text.find(']') - 1);

    win32::Profile profile;
    std::vector<double> checkedMs, plainMs;
    int refused = 0;
    for (int round = 0; round < rounds; ++round) {
        const char* value = round % 2 ? "C:\\Tools\\one.exe" : "C:\\Tools\\other.exe";
        double start = Now();
        refused += !profile.WriteString(section.c_str(), "Action", value, checked.c_str());
        checkedMs.push_back((Now() - start) * 1000);
        start = Now();
        refused += !WritePrivateProfileStringA(section.c_str(), "Action", value, plain.c_str());
        plainMs.push_back((Now() - start) * 1000);
    }
    const double c = Median(checkedMs), p = Median(plainMs);
    std::printf("  %6d sections, %3d rounds: checked %9.2f ms, plain %7.2f ms, ratio %6.1f%s\n", bindings, rounds, c, p,
                p > 0 ? c / p : 0.0, refused ? "  (writes refused!)" : "");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 31;
    std::printf("one write of a value: win32::Profile::WriteString against WritePrivateProfileStringA, medians\n");
    Measure(100, rounds);
    Measure(1000, std::max(3, rounds / 4));
    Measure(12000, 3);
    return 0;
}
