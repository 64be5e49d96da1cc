// The section-name codec: any text either converts or throws the
// conversion error, and every pair of 16-bit values survives the round trip.
#include "FuzzSupport.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"

#include <fuzzer/FuzzedDataProvider.h>

using namespace quickdex;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int modifiers = input.ConsumeIntegral<std::int32_t>();
    const int key = input.ConsumeIntegral<std::int32_t>();
    const std::string encoded = SectionName(modifiers, key);
    FUZZ_CHECK(SplitSectionName(encoded, 1) == modifiers);
    FUZZ_CHECK(SplitSectionName(encoded, 2) == key);

    const std::string text = input.ConsumeRemainingBytesAsString();
    for (int half : {1, 2}) {
        try {
            (void)SplitSectionName(text, half);
        } catch (const ConversionError&) {
        }
    }
    try {
        const int value = StrToInt(text);
        // What converts is a decimal number, so it prints back to itself
        // once blanks, a plus sign and leading zeros are put aside.
        FUZZ_CHECK(StrToInt(std::to_string(value)) == value);
    } catch (const ConversionError&) {
    }
    return 0;
}
