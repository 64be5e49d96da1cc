// The INI engine on arbitrary file bytes and arbitrary calls: reads with
// every buffer size, name lists, writes, deletes and erases. Buffers are
// exactly as large as the call is told, so a byte written past either end
// is caught by the address sanitizer.
#include "FuzzSupport.h"
#include "platform/portable/IniFile.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstring>
#include <memory>

using namespace quickdex;

namespace {

// What the engine returned must be what it put in the buffer.
void CheckAnswer(const char* buffer, std::uint32_t size, std::uint32_t n, bool list)
{
    if (size == 0) {
        FUZZ_CHECK(n == 0);
        return;
    }
    FUZZ_CHECK(n < size);
    if (!list) {
        FUZZ_CHECK(buffer[n] == '\0');
        FUZZ_CHECK(std::strlen(buffer) == n);
    } else if (size >= 2) {
        FUZZ_CHECK(buffer[n] == '\0');
    }
}

bool Plain(const std::string& s)
{
    if (s.empty())
        return false;
    for (unsigned char c : s)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

std::string Get(PortableProfile& ini, const std::string& path, const std::string& section, const std::string& key)
{
    std::vector<char> buffer(4096);
    const std::uint32_t n = ini.GetString(section.c_str(), key.c_str(), "", buffer.data(), 4096, path.c_str());
    return std::string(buffer.data(), n);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string path = fuzz::Scratch().File("t.ini");
    fuzz::Scratch().Write("t.ini", input.ConsumeRandomLengthString(8192));
    PortableProfile ini;

    for (int step = 0; step < 8 && input.remaining_bytes() > 0; ++step) {
        const int op = input.ConsumeIntegralInRange(0, 6);
        const std::string section = input.ConsumeRandomLengthString(24);
        const std::string key = input.ConsumeRandomLengthString(24);
        switch (op) {
        case 0:
        case 1:
        case 2: { // a value, a section's key names, the section names
            const auto bufferSize = input.ConsumeIntegralInRange<std::uint32_t>(0, 300);
            auto buffer = std::make_unique<char[]>(bufferSize);
            const char* s = op == 2 ? nullptr : section.c_str();
            const char* k = op == 0 ? key.c_str() : nullptr;
            const std::uint32_t n = ini.GetString(s, k, "default", buffer.get(), bufferSize, path.c_str());
            CheckAnswer(buffer.get(), bufferSize, n, op != 0);
            break;
        }
        case 3: { // write a value; a plain one reads back as written
            const std::string value = input.ConsumeRandomLengthString(40);
            const bool ok = ini.WriteString(section.c_str(), key.c_str(), value.c_str(), path.c_str());
            FUZZ_CHECK(ok);
            if (Plain(section) && Plain(key) && Plain(value))
                FUZZ_CHECK(Get(ini, path, section, key) == value);
            break;
        }
        case 4: // delete a key
            FUZZ_CHECK(ini.WriteString(section.c_str(), key.c_str(), nullptr, path.c_str()));
            break;
        case 5: // erase a section
            FUZZ_CHECK(ini.WriteString(section.c_str(), nullptr, nullptr, path.c_str()));
            break;
        case 6: { // a whole section
            const auto bufferSize = input.ConsumeIntegralInRange<std::uint32_t>(0, 300);
            auto buffer = std::make_unique<char[]>(bufferSize);
            const std::uint32_t n = ini.GetSection(section.c_str(), buffer.get(), bufferSize, path.c_str());
            CheckAnswer(buffer.get(), bufferSize, n, true);
            break;
        }
        }
    }
    return 0;
}
