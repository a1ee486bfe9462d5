// The EN 1991-4 block of the text table: every pair in both languages, a
// text for every scope reason and unverified note, the note's exact words.
#include <gtest/gtest.h>

#include "ui/texts/en1991_4_texts.h"

using namespace korvane;
using namespace korvane::texts;

TEST(En1991_4Texts, EveryPairAndEveryReasonInBothLanguages) {
    for (int i = 0; i < en1991_4::kAllPairsCount; ++i)
        for (int language : {0, 1})
            EXPECT_FALSE(T(*en1991_4::kAllPairs[i], language).isEmpty()) << i << " " << language;
    for (int language : {0, 1}) {
        for (int s = 0; s <= static_cast<int>(EnScope::LoadsNotFinite); ++s)
            EXPECT_FALSE(en1991_4::scopeText(EnScope(s), language).isEmpty()) << s;
        for (int n = 0; n <= static_cast<int>(EnNote::PatchLoads); ++n)
            EXPECT_FALSE(en1991_4::noteText(EnNote(n), language).isEmpty()) << n;
    }
    EXPECT_EQ(T(en1991_4::notVerified, 1), "not verified against a published example");
    EXPECT_EQ(T(en1991_4::notVerified, 1), QString::fromUtf8(kEnUnverified));
    EXPECT_EQ(T(en1991_4::showLoads, 0), QString::fromUtf8("&Lasten nach EN 1991-4"));
    EXPECT_EQ(T(en1991_4::showLoads, 1), "EN 1991-4 &loads");
}
