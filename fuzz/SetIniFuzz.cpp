// The category list in Set.ini on arbitrary file bytes: reading never
// crashes or runs past the list, and a category added is then listed.
#include "FuzzSupport.h"
#include "platform/portable/IniFile.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cctype>

using namespace quickdex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string added = input.ConsumeRandomLengthString(32);
    fuzz::Scratch().Write(CategoryFileName, input.ConsumeRemainingBytesAsString());
    PortableProfile profile;
    const Categories categories(profile, fuzz::Scratch().Dir());

    const std::vector<std::string> before = categories.ReadCategories();
    std::size_t total = 0;
    for (const std::string& name : before)
        total += name.size() + 1;
    FUZZ_CHECK(total < NameListBufferSize);

    // A name the check refuses must be refused and change nothing; every
    // other name (without a zero byte, which no edit field gives) must be
    // stored and listed as typed.
    if (added.find('\0') != std::string::npos)
        return 0;
    if (!CategoryNameProblem(added).empty()) {
        const std::string file = fuzz::Scratch().Read(CategoryFileName);
        try {
            categories.AddCategory(added);
            std::abort();
        } catch (const CategoryNameError&) {
        }
        FUZZ_CHECK(fuzz::Scratch().Read(CategoryFileName) == file);
        return 0;
    }
    try {
        categories.AddCategory(added);
    } catch (const WriteError&) {
        std::abort(); // the scratch file is always writable
    }
    const std::vector<std::string> after = categories.ReadCategories();
    // A [Sort] section whose first key has no name ("=0") lists as empty,
    // as the system's own engine does.
    if (total + added.size() + 1 < NameListBufferSize - 1 && !after.empty())
        FUZZ_CHECK(std::any_of(after.begin(), after.end(), [&](const std::string& name) {
            // An existing name that differs only in case keeps its spelling.
            return name.size() == added.size() &&
                   std::equal(name.begin(), name.end(), added.begin(), [](char a, char b) {
                       return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
                   });
        }));
    return 0;
}
