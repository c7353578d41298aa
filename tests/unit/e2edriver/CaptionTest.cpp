#include "tests/e2e/driver/Caption.h"

#include <gtest/gtest.h>

namespace tvdriver {
namespace {

TEST(Caption, AcceleratorMarksAreRemovedAndDoubledOnesKept) {
    EXPECT_EQ(StripAccelerators(L"&Renunt"), L"Renunt");
    EXPECT_EQ(StripAccelerators(L"O&K"), L"OK");
    EXPECT_EQ(StripAccelerators(L"Salt && &Continua"), L"Salt & Continua");
    EXPECT_EQ(StripAccelerators(L"&"), L"");
    EXPECT_EQ(StripAccelerators(L"fara"), L"fara");
}

TEST(Caption, MatchesExactlyOrWithoutTheMarks) {
    EXPECT_TRUE(CaptionMatches(L"&Renunt", L"&Renunt"));
    EXPECT_TRUE(CaptionMatches(L"&Renunt", L"Renunt"));
    EXPECT_TRUE(CaptionMatches(L"&Renun\u021b\u0103", L"Renun\u021b\u0103"));
}

TEST(Caption, DoesNotMatchOtherTexts) {
    EXPECT_FALSE(CaptionMatches(L"&Renunt", L"renunt"));   // case matters
    EXPECT_FALSE(CaptionMatches(L"&Renunt", L"Renun"));    // no prefix matches
    EXPECT_FALSE(CaptionMatches(L"Renunt", L"&Renunt"));   // a mark asked for must be there
    EXPECT_FALSE(CaptionMatches(L"&Renunt ", L"&Renunt"));
    EXPECT_FALSE(CaptionMatches(L"", L"OK"));
}

TEST(Caption, LineBreaksAreWrittenAsEscapes) {
    EXPECT_EQ(EscapeLineBreaks(L"PENTRU CONTINUARE,\r\rNu am putut"), L"PENTRU CONTINUARE,\\r\\rNu am putut");
    EXPECT_EQ(EscapeLineBreaks(L"a\r\nb"), L"a\\r\\nb");
    EXPECT_EQ(EscapeLineBreaks(L"C:\\MEDIA\\"), L"C:\\MEDIA\\");
}

}  // namespace
}  // namespace tvdriver
