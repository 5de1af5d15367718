#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "bench/chrf.h"

namespace quality {
namespace {

struct Case {
    std::vector<std::string> hypotheses;
    std::vector<std::vector<std::string>> references;  // reference streams
    ChrfParams params;
    double expected;
    double tolerance = 1e-4;
};

void PrintTo(const Case& c, std::ostream* os) {
    *os << testing::PrintToString(c.hypotheses) << " against "
        << testing::PrintToString(c.references);
}

class Chrf : public testing::TestWithParam<Case> {};

TEST_P(Chrf, GivesSacreBleusScore) {
    const Case& c = GetParam();
    EXPECT_NEAR(corpusChrf(c.hypotheses, c.references, c.params), c.expected, c.tolerance);
}

constexpr ChrfParams kBeta3Eps{6, 0, 3, false, true};
constexpr ChrfParams kBeta3{6, 0, 3, false, false};
constexpr ChrfParams kBeta3Spaces{6, 0, 3, true, false};
constexpr ChrfParams kSentenceEps{6, 0, 2, false, true};

// The values sacreBLEU's own tests publish (test/test_chrf.py): corpus chrF
// with beta 3 and epsilon smoothing, with effective-order averaging, with
// whitespace kept, and sentence chrF with epsilon smoothing.
INSTANTIATE_TEST_SUITE_P(
    SacreBleuTests, Chrf,
    testing::Values(
        Case{{"abcdefg"}, {{"hijklmnop"}}, kBeta3Eps, 0.0}, Case{{"a"}, {{"b"}}, kBeta3Eps, 0.0},
        Case{{""}, {{"b"}}, kBeta3Eps, 0.0}, Case{{""}, {{"ref"}}, kBeta3Eps, 0.0},
        Case{{""}, {{"reference"}}, kBeta3Eps, 0.0}, Case{{"aa"}, {{"ab"}}, kBeta3Eps, 8.3333},
        Case{{"a", "b"}, {{"a", "c"}}, kBeta3Eps, 8.3333}, Case{{"a"}, {{"a"}}, kBeta3Eps, 16.6667},
        Case{{"a b c"}, {{"a b c"}}, kBeta3Eps, 50.0}, Case{{"a b c"}, {{"abc"}}, kBeta3Eps, 50.0},
        Case{{" risk assessment must be made of those who are qualified and expertise in the "
              "sector - these are the scientists ."},
             {{"risk assessment has to be undertaken by those who are qualified and expert in "
               "that area - that is the scientists ."}},
             kBeta3Eps,
             63.361730},
        Case{{" Die    Beziehung zwischen  Obama und Netanjahu ist nicht gerade  freundlich. "},
             {{"Das Verhältnis zwischen Obama und Netanyahu ist nicht gerade freundschaftlich."}},
             kBeta3Eps,
             64.1302698},
        Case{{"Niemand hat die Absicht, eine Mauer zu errichten"},
             {{"Niemand hat die Absicht, eine Mauer zu errichten"}},
             kBeta3Eps,
             100.0},

        Case{{"a"}, {{"a"}}, kBeta3, 100.0}, Case{{""}, {{"reference"}}, kBeta3, 0.0},
        Case{{"a b c"}, {{"a b c"}}, kBeta3, 100.0}, Case{{"a b c"}, {{"abc"}}, kBeta3, 100.0},
        Case{{""}, {{"c"}}, kBeta3, 0.0}, Case{{"a", "b"}, {{"a", "c"}}, kBeta3, 50.0},
        Case{{"aa"}, {{"ab"}}, kBeta3, 25.0},

        Case{{"Die Beziehung zwischen Obama und Netanjahu ist nicht gerade freundlich."},
             {{"Das Verhältnis zwischen Obama und Netanyahu ist nicht gerade freundschaftlich."}},
             kBeta3Spaces,
             67.3481606},
        Case{{"risk assessment must be made of those who are qualified and expertise in the "
              "sector - these are the scientists ."},
             {{"risk assessment has to be undertaken by those who are qualified and expert in "
               "that area - that is the scientists ."}},
             kBeta3Spaces,
             65.2414427},

        Case{{"Co nás nejvíc trápí, protože lékaři si vybírají, kdo bude žít a kdo zemře."},
             {{"Nejvíce smutní jsme z toho, že musíme rozhodovat o tom, kdo bude žít a kdo "
               "zemře."}},
             kSentenceEps,
             39.14078509},
        Case{{"Nebo prostě nemají vybavení, které by jim pomohlo, uvedli lékaři."},
             {{"A někdy nemáme ani potřebný materiál, abychom jim pomohli, popsali lékaři."}},
             kSentenceEps,
             31.22557079},
        Case{{"Lapali po dechu, jejich životy skončily dřív, než skutečně začaly."},
             {{"Lapali po dechu a pak jejich život skončil - dřív, než skutečně mohl začít, "
               "připomněli."}},
             kSentenceEps,
             57.15704367}));

// The example of sacreBLEU's README: default chrF2 against two references per
// segment, published to two decimals.
INSTANTIATE_TEST_SUITE_P(
    SacreBleuReadme, Chrf,
    testing::Values(Case{
        {"The dog bit the man.", "It wasn't surprising.", "The man had just bitten him."},
        {{"The dog bit the man.", "It was not unexpected.", "The man bit him first."},
         {"The dog had bit the man.", "No one was surprised.", "The man had bitten the dog."}},
        kChrf2,
        59.73,
        0.005}));

// sacreBLEU publishes no chrF2++ value on data at hand: these are the scores
// its code gives, for the word n-grams (punctuation cut off one end of a
// word), Thai, Unicode whitespace and characters outside the BMP.
INSTANTIATE_TEST_SUITE_P(
    Defaults, Chrf,
    testing::Values(
        Case{{"(hi) there, friend."}, {{"hi (there) friend"}}, kChrf2pp, 42.662441},
        Case{{"(hi) there, friend."}, {{"hi (there) friend"}}, kChrf2, 49.225273},
        Case{{"The cat sat on the mat."}, {{"The cat is on the mat."}}, kChrf2pp, 69.436953},
        Case{{"The cat sat on the mat."}, {{"The cat is on the mat."}}, kChrf2, 67.172735},
        Case{{"แมวนั่งบน เสื่อ"}, {{"แมว นั่ง บนเสื่อ"}}, kChrf2pp, 75.0},
        Case{{"แมวนั่งบน เสื่อ"}, {{"แมว นั่ง บนเสื่อ"}}, kChrf2, 100.0},
        Case{{"a\u00A0b\u3000c d"}, {{"a b c d"}}, kChrf2pp, 100.0},
        Case{{"", "x y"}, {{"ref", "x y z"}}, kChrf2pp, 45.023697},
        Case{{"", "x y"}, {{"ref", "x y z"}}, kChrf2, 33.980583},
        Case{{"!! ?x y."}, {{"!! ?x y ."}}, kChrf2pp, 100.0},
        Case{{"a\u200Bb c"}, {{"ab c"}}, kChrf2pp, 38.0},
        Case{{"a\u200Bb c"}, {{"ab c"}}, kChrf2, 46.428571},
        Case{{"x\U0001F600y z"}, {{"xy z"}}, kChrf2pp, 38.0}));

TEST(ChrfStats, CharacterPartOfChrfPlusPlusIsChrf) {
    // The quality bench scores chrF2 from the first orders of chrF2++'s counts.
    const ChrfReference plus("แมว นั่ง บน เสื่อ (mat).", kChrf2pp);
    const ChrfReference plain("แมว นั่ง บน เสื่อ (mat).", kChrf2);
    const ChrfStats both = plus.match("แมวนั่ง บนพรม mat.");
    const ChrfStats chars = plain.match("แมวนั่ง บนพรม mat.");
    ASSERT_EQ(both.size(), 3u * 8);
    EXPECT_EQ(ChrfStats(both.begin(), both.begin() + 18), chars);
}

TEST(ChrfStats, SegmentsTakeTheBestReferenceAndSumOverTheCorpus) {
    const std::vector<ChrfReference> refs = {ChrfReference("abc xyz", kChrf2),
                                             ChrfReference("abd", kChrf2)};
    const ChrfStats best = chrfSegmentStats("abd", refs, kChrf2);
    EXPECT_EQ(best, refs[1].match("abd"));
    EXPECT_DOUBLE_EQ(chrfScore(best, kChrf2), 100.0);

    ChrfStats total;
    addChrfStats(best, &total);
    addChrfStats(refs[0].match("q"), &total);
    EXPECT_EQ(total[0], 3 + 1);  // unigrams of both hypotheses
    EXPECT_EQ(total[1], 3 + 6);  // and of both references
    EXPECT_EQ(total[2], 3 + 0);
}

}  // namespace
}  // namespace quality
