// Holds a file open the way a virus scanner or an indexer does, reading and
// writing shared but not deleting: `holder <file> <milliseconds>`. Creates
// "<file>.held" once the file is open, and ends after the time given.
#include <windows.h>

#include <cstdlib>
#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    if (__argc < 3)
        return 2;
    const std::string file = __argv[1];
    HANDLE held = CreateFileA(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (held == INVALID_HANDLE_VALUE)
        return 1;
    HANDLE sign = CreateFileA((file + ".held").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    CloseHandle(sign);
    Sleep(static_cast<DWORD>(std::atoi(__argv[2])));
    CloseHandle(held);
    return 0;
}
