#include "tests/e2e/driver/KeyChords.h"

#include <gtest/gtest.h>

namespace tvdriver {
namespace {

constexpr uint8_t kVkEscape = 0x1B, kVkReturn = 0x0D, kVkF4 = 0x73, kVkTab = 0x09;

TEST(KeyChords, ModifiersAndKeyInAnyCase) {
    EXPECT_EQ(ParseKeyStroke("alt+m"), (KeyStroke{.alt = true, .virtualKey = 'M'}));
    EXPECT_EQ(ParseKeyStroke("ALT+F4"), (KeyStroke{.alt = true, .virtualKey = kVkF4}));
    EXPECT_EQ(ParseKeyStroke("Ctrl+Shift+Tab"), (KeyStroke{.ctrl = true, .shift = true, .virtualKey = kVkTab}));
    EXPECT_EQ(ParseKeyStroke("control+7"), (KeyStroke{.ctrl = true, .virtualKey = '7'}));
}

TEST(KeyChords, NamedKeysWithTheirSynonyms) {
    EXPECT_EQ(ParseKeyStroke("escape")->virtualKey, kVkEscape);
    EXPECT_EQ(ParseKeyStroke("esc")->virtualKey, kVkEscape);
    EXPECT_EQ(ParseKeyStroke("enter")->virtualKey, kVkReturn);
    EXPECT_EQ(ParseKeyStroke("return")->virtualKey, kVkReturn);
    EXPECT_EQ(ParseKeyStroke("f12")->virtualKey, 0x7B);
    EXPECT_EQ(ParseKeyStroke("space")->virtualKey, 0x20);
}

TEST(KeyChords, RefusesWhatIsNotAKey) {
    EXPECT_FALSE(ParseKeyStroke(""));
    EXPECT_FALSE(ParseKeyStroke("alt+"));        // modifier without a key
    EXPECT_FALSE(ParseKeyStroke("+m"));
    EXPECT_FALSE(ParseKeyStroke("alt++m"));
    EXPECT_FALSE(ParseKeyStroke("m+alt"));       // the key must come last
    EXPECT_FALSE(ParseKeyStroke("alt"));         // a modifier alone is not a key here
    EXPECT_FALSE(ParseKeyStroke("f13"));
    EXPECT_FALSE(ParseKeyStroke("meta+m"));
    EXPECT_FALSE(ParseKeyStroke("mm"));
}

TEST(KeyChords, SequencesSplitOnBlanksAndCommas) {
    const auto strokes = ParseKeySequence("  tab, tab alt+m,enter ");
    ASSERT_TRUE(strokes);
    ASSERT_EQ(strokes->size(), 4u);
    EXPECT_EQ((*strokes)[0].virtualKey, kVkTab);
    EXPECT_EQ((*strokes)[2], (KeyStroke{.alt = true, .virtualKey = 'M'}));
    EXPECT_EQ((*strokes)[3].virtualKey, kVkReturn);
}

TEST(KeyChords, SequenceWithOneBadStrokeOrNoneIsRefused) {
    EXPECT_FALSE(ParseKeySequence("tab bogus enter"));
    EXPECT_FALSE(ParseKeySequence(""));
    EXPECT_FALSE(ParseKeySequence(" , "));
}

}  // namespace
}  // namespace tvdriver
