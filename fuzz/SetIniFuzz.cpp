// The category list in Set.ini on arbitrary file bytes (in the code page,
// UTF-16 or UTF-8 by their mark): reading never crashes, and a category
// added is then listed, as typed, whatever its script.
#include "FuzzSupport.h"
#include "platform/portable/PortableFiles.h"
#include "platform/portable/Utf.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>

using namespace quickdex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const std::string added = input.ConsumeRandomLengthString(32);
    fuzz::Scratch().Write(CategoryFileName, input.ConsumeRemainingBytesAsString());
    PortableFiles files;
    const Categories categories(files, fuzz::Scratch().Dir());

    const std::vector<std::string> before = categories.ReadCategories();

    // A name the check refuses must be refused and change nothing; every
    // other name (well-formed text without a zero byte, as an edit field
    // gives) must be stored and listed as typed.
    if (added.find('\0') != std::string::npos || Utf16ToUtf8(Utf8ToUtf16(added)) != added)
        return 0;
    if (!CategoryNameProblem(added).empty() || !ListedCategoryProblem(before, added).empty()) {
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
    FUZZ_CHECK(std::find(after.begin(), after.end(), added) != after.end());
    return 0;
}
