// The cost of one save of hotkey.ini by the store (the file read and
// parsed, the binding written whole into a temporary file, flushed, read
// back and checked, then put in place with ReplaceFile) against the plain
// WritePrivateProfileStringA of one value on a file of the same bytes.
//   write_bench [rounds]
// Medians; each change alternates a value between two texts, each delete
// erases the second section of a fresh copy.
#include "BenchSupport.h"
#include "store/HotkeyStore.h"
#include "support/Fakes.h"

#include <cstdio>
#include <string>
#include <vector>

using namespace quickdex;
using namespace quickdex::bench;

namespace {

std::string SectionsFile(int sections)
{
    if (sections <= 100)
        return BindingsFile(sections, "C:\\Tools\\last.exe");
    // More sections than the table takes, as a hand-kept file may hold.
    std::string text;
    for (int i = 1; i <= sections; ++i) {
        const std::string n = std::to_string(i), name = std::to_string(1000 + i);
        text.append("[3+").append(name).append("]\r\nAction=C:\\Tools\\tool").append(n);
        text.append(".exe\r\nHint=Tool ").append(n).append("\r\nSort=Tools\r\n");
    }
    return text;
}

void Measure(int sections, int rounds)
{
    Folder folder(("write" + std::to_string(sections)).c_str());
    const std::string checked = (folder.path / "hotkey.ini").string();
    const std::string plain = (folder.path / "plain.ini").string();
    const std::string text = SectionsFile(sections);
    WriteFile(checked, text);
    WriteFile(plain, text);
    const std::string section = text.substr(1, text.find(']') - 1);

    win32::Files files;
    const HotkeyStore store(files, checked);
    HotkeyTable table;
    test::FakeView rows;
    store.Load(table, rows);
    std::vector<double> changeMs, deleteMs, plainMs;
    int refused = 0;
    for (int round = 0; round < rounds; ++round) {
        Tquickdex binding = table[1];
        binding.Action = round % 2 ? "C:\\Tools\\one.exe" : "C:\\Tools\\other.exe";
        double start = Now();
        try {
            store.Write(&table.IdOf(1), binding);
        } catch (const std::exception&) {
            ++refused;
        }
        changeMs.push_back((Now() - start) * 1000);
        start = Now();
        refused += !WritePrivateProfileStringA(section.c_str(), "Action", binding.Action.c_str(), plain.c_str());
        plainMs.push_back((Now() - start) * 1000);
    }
    for (int round = 0; round < std::max(3, rounds / 4); ++round) {
        WriteFile(checked, text);
        const double start = Now();
        try {
            store.Erase(table.IdOf(2));
        } catch (const std::exception&) {
            ++refused;
        }
        deleteMs.push_back((Now() - start) * 1000);
    }
    const double c = Median(changeMs), d = Median(deleteMs), p = Median(plainMs);
    std::printf("  %6d sections: change %8.2f ms, delete %8.2f ms, plain value write %7.2f ms, ratio %5.2f%s\n",
                sections, c, d, p, p > 0 ? c / p : 0.0, refused ? "  (writes refused!)" : "");
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 31;
    std::printf("one save of a binding by the store against WritePrivateProfileStringA of one value, medians\n"
                "  (targets: ratio <= 3 at 100 bindings; <= 200 ms at 12,000 sections)\n");
    Measure(100, rounds);
    Measure(1000, std::max(3, rounds / 2));
    Measure(12000, std::max(3, rounds / 4));
    return 0;
}
