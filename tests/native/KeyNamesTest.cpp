#include "store/KeyNames.h"

#include <gtest/gtest.h>

#include <map>

namespace quickdex {
namespace {

TEST(KeyNames, ModifierTextTable)
{
    const std::map<int, std::string> expected = {
        {-1, ""},
        {0, ""},
        {1, "Alt + "},
        {2, "Ctrl + "},
        {3, "Ctrl + ALT + "},
        {4, "Shift + "},
        {5, "Shift + Alt + "},
        {6, "Ctrl + Shift + "},
        {7, "Ctrl + Shift + Alt + "},
        {8, ""},
        {65536, ""},
    };
    for (const auto& [flags, text] : expected) {
        SCOPED_TRACE(flags);
        EXPECT_EQ(ModifierText(flags), text);
    }
}

// Every code from 0 to 0xFFFF: the 83 named ones give their fixed text and
// every other code gives empty text.
TEST(KeyNames, KeyNameTableIsCompleteAndExact)
{
    std::map<int, std::string> named = {
        {20, "Caps Lock"}, {33, "Page Up"}, {34, "Page Down"}, {35, "End"},  {36, "Home"},
        {37, "Left"},      {38, "Up"},      {39, "Right"},     {40, "Down"}, {106, "Num *"},
        {107, "Num +"},    {110, "Num Del"}, {144, "Num Lock"}, {145, "Soroll Lock"},
        {186, ";"},        {187, "="},      {188, ","},        {189, "-"},   {190, "."},
        {191, "/"},        {192, "`"},      {219, "["},        {220, "\\"},  {221, "]"},
        {222, "'"},
    };
    for (int c = '0'; c <= '9'; ++c)
        named[c] = std::string(1, static_cast<char>(c));
    for (int c = 'A'; c <= 'Z'; ++c)
        named[c] = std::string(1, static_cast<char>(c));
    for (int d = 0; d <= 9; ++d)
        named[96 + d] = "Num " + std::to_string(d);
    for (int f = 1; f <= 12; ++f)
        named[111 + f] = "F" + std::to_string(f);
    ASSERT_EQ(named.size(), 83u);

    for (int code = -1; code <= 0xFFFF; ++code) {
        auto it = named.find(code);
        const std::string want = it == named.end() ? "" : it->second;
        ASSERT_EQ(KeyName(code), want) << "key code " << code;
    }
}

TEST(KeyNames, RowCaptions)
{
    EXPECT_EQ(HotkeyCaption(3, 65), "Ctrl + ALT + A");
    EXPECT_EQ(HotkeyCaption(4, 116), "Shift + F5");
    EXPECT_EQ(HotkeyCaption(0, 103), "Num 7");
    EXPECT_EQ(HotkeyCaption(2, 32), "Ctrl + "); // the space bar has no name
    EXPECT_EQ(HotkeyCaption(0, 45), "");        // neither modifiers nor a named key
    EXPECT_EQ(HotkeyCaption(0, 112), "F1");
    // The Win flag (8) of a hand-written section, after the others.
    EXPECT_EQ(HotkeyCaption(8, 65), "Win + A");
    EXPECT_EQ(HotkeyCaption(10, 65), "Ctrl + Win + A");
    EXPECT_EQ(HotkeyCaption(11, 65), "Ctrl + ALT + Win + A");
    EXPECT_EQ(HotkeyCaption(15, 112), "Ctrl + Shift + Alt + Win + F1");
    EXPECT_EQ(HotkeyCaption(16 + 2, 65), "Ctrl + A"); // no name for other bits
}

TEST(KeyNames, ModifierFlagsAndShiftStateAreInverse)
{
    const ShiftState expected[8] = {0, 2, 4, 6, 1, 3, 5, 7};
    for (int flags = 0; flags <= 7; ++flags) {
        SCOPED_TRACE(flags);
        EXPECT_EQ(ModifiersToShiftState(flags), expected[flags]);
        EXPECT_EQ(ShiftStateToModifiers(ModifiersToShiftState(flags)), flags);
    }
    // A hand-edited value above 7 keeps the bits it really has.
    EXPECT_EQ(ModifiersToShiftState(8 + 2), shiftstate::Ctrl);
    EXPECT_EQ(ShiftStateToModifiers(0xFF), 7);
}

TEST(KeyNames, ShortcutConversions)
{
    EXPECT_EQ(SplitShortcut(0), (SplitShortcutResult{0, 0}));
    EXPECT_EQ(MakeShortcut(256, 7), 0);
    EXPECT_EQ(MakeShortcut(0xFFFF, 0), 0);
    EXPECT_EQ(MakeShortcut(65, shiftstate::Ctrl | shiftstate::Shift), 0x6041);
    EXPECT_EQ(MakeShortcut(65, shiftstate::Alt), 0x8041);
    EXPECT_EQ(MakeShortcut(112, 0), 112);

    const SplitShortcutResult split = SplitShortcut(0x6041);
    EXPECT_EQ(split.key, 65);
    EXPECT_EQ(split.shift, shiftstate::Ctrl | shiftstate::Shift);
    EXPECT_EQ(ShiftStateToModifiers(split.shift), 6);
    EXPECT_EQ(HotkeyCaption(ShiftStateToModifiers(split.shift), split.key), "Ctrl + Shift + A");

    // Round trip of every stored combination the editor can make.
    for (int flags = 0; flags <= 7; ++flags) {
        for (int key = 1; key <= 0xFF; ++key) {
            const auto back = SplitShortcut(MakeShortcut(static_cast<std::uint16_t>(key), ModifiersToShiftState(flags)));
            ASSERT_EQ(back.key, key);
            ASSERT_EQ(ShiftStateToModifiers(back.shift), flags);
        }
    }
}

TEST(KeyNames, HotKeyControlValues)
{
    EXPECT_EQ(ShortcutFromHotKeyControl(0x0341), 0x6041); // Shift 1 + Ctrl 2, key A
    EXPECT_EQ(ShortcutFromHotKeyControl(0x0641), 0xC041); // Ctrl 2 + Alt 4
    EXPECT_EQ(ShortcutFromHotKeyControl(0x0170), 0x2070); // Shift+F1
    EXPECT_EQ(ShortcutFromHotKeyControl(0x0A2E), 0x402E); // Ctrl + extended Delete: the extended flag goes
    EXPECT_EQ(ShortcutFromHotKeyControl(0), 0);
    for (int flags = 0; flags < 8; ++flags)
        for (int key = 1; key < 256; ++key) {
            const auto value = static_cast<std::uint16_t>((flags << 8) | key);
            ASSERT_EQ(HotKeyControlFromShortcut(ShortcutFromHotKeyControl(value)), value);
        }
}

} // namespace
} // namespace quickdex
