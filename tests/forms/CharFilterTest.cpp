#include "forms/fields/CharFilter.h"

#include <gtest/gtest.h>

using namespace rps;

namespace {
std::string typed(CharFilterKind kind, char c, std::string_view before = {}, std::string_view after = {},
                  int maxLength = 0)
{
    CharFilterRule rule;
    rule.kind = kind;
    rule.maxLength = maxLength;
    const auto result = filterCharacter(rule, c, before, after);
    return result ? std::string(1, *result) : std::string("refused");
}
} // namespace

TEST(SevenSegmentFilter, KeepsWhatTheDisplayCanShowInItsShowableCase)
{
    EXPECT_EQ(typed(CharFilterKind::SevenSegment, 'x'), "refused");
    EXPECT_EQ(typed(CharFilterKind::SevenSegment, 'b'), "b");
    EXPECT_EQ(typed(CharFilterKind::SevenSegment, 'B'), "b");
    EXPECT_EQ(typed(CharFilterKind::SevenSegment, 'e'), "E");
    EXPECT_EQ(typed(CharFilterKind::SevenSegment, 'K'), "refused");
    EXPECT_EQ(typed(CharFilterKind::SevenSegment, '7'), "7");
    EXPECT_EQ(typed(CharFilterKind::SevenSegment, '_'), "_");
}

TEST(DecimalFilter, OneSeparatorUnlessTheOldOneIsBeingReplaced)
{
    CharFilterRule rule{CharFilterKind::Decimal, 10, ',', {}};
    EXPECT_EQ(filterCharacter(rule, '.', "150", ""), ','); // stored as the locale separator
    EXPECT_FALSE(filterCharacter(rule, '.', "150,0", "").has_value());
    EXPECT_FALSE(filterCharacter(rule, ',', "15", "0,5").has_value());
    // The selection that holds the separator is not part of before/after.
    EXPECT_EQ(filterCharacter(rule, '.', "150", "125"), ',');
    EXPECT_FALSE(filterCharacter(rule, '1', "150,000000", "").has_value()); // length limit
}

TEST(UpperTextFilter, SingleInnerSpacesAndUpperCase)
{
    EXPECT_EQ(typed(CharFilterKind::UpperText, 'a', "AB"), "A");
    EXPECT_EQ(typed(CharFilterKind::UpperText, ' '), "refused");
    EXPECT_EQ(typed(CharFilterKind::UpperText, ' ', "A "), "refused");
    EXPECT_EQ(typed(CharFilterKind::UpperText, ' ', "A", " B"), "refused");
    EXPECT_EQ(typed(CharFilterKind::UpperText, ' ', "A", "B"), " ");
    EXPECT_EQ(typed(CharFilterKind::UpperText, '*'), "refused");
}

TEST(MorseFilter, CapitalsOfTheMorseSetAndNoSpaceBesideASpace)
{
    EXPECT_EQ(typed(CharFilterKind::Morse, 'q', "C"), "Q");
    EXPECT_EQ(typed(CharFilterKind::Morse, '/'), "/");
    EXPECT_EQ(typed(CharFilterKind::Morse, '"'), "\"");
    EXPECT_EQ(typed(CharFilterKind::Morse, '!'), "refused");
    EXPECT_EQ(typed(CharFilterKind::Morse, '*'), "refused");
    EXPECT_EQ(typed(CharFilterKind::Morse, ' '), " "); // stored without it
    EXPECT_EQ(typed(CharFilterKind::Morse, ' ', "CQ "), "refused");
    EXPECT_EQ(typed(CharFilterKind::Morse, ' ', "CQ", " DE"), "refused");
    EXPECT_EQ(typed(CharFilterKind::Morse, 'A', "", "", 32), "A");
    EXPECT_EQ(typed(CharFilterKind::Morse, 'A', std::string(32, 'A')), "A"); // the field cuts
}

TEST(PrintableFilter, AsciiFromSpaceToTilde)
{
    EXPECT_EQ(typed(CharFilterKind::Printable, ' '), " ");
    EXPECT_EQ(typed(CharFilterKind::Printable, '~'), "~");
    EXPECT_EQ(typed(CharFilterKind::Printable, '\x7F'), "refused");
    EXPECT_EQ(typed(CharFilterKind::Printable, '\xC3'), "refused"); // first byte of a UTF-8 letter
    EXPECT_EQ(typed(CharFilterKind::Printable, '\t'), "refused");
}

TEST(CountedLetterFilters, LetterOnlyOnce)
{
    EXPECT_EQ(typed(CharFilterKind::HexToEWithQ, 'Q', "QQQQQQQ"), "Q");
    EXPECT_EQ(typed(CharFilterKind::HexToEWithQ, 'Q', "QQQQ", "QQQQ"), "refused");
    EXPECT_EQ(typed(CharFilterKind::HexToEWithQ, 'f'), "refused");
    EXPECT_EQ(typed(CharFilterKind::DigitsWithA, 'A', "12"), "A");
    EXPECT_EQ(typed(CharFilterKind::DigitsWithA, 'A', "1A"), "refused");
    EXPECT_EQ(typed(CharFilterKind::DigitsWithCO, 'O', "12"), "O");
    EXPECT_EQ(typed(CharFilterKind::DigitsWithCO, 'O', "C2"), "refused");
    EXPECT_EQ(typed(CharFilterKind::DigitsWithC, 'O'), "refused");
    CharFilterRule prefixed{CharFilterKind::PrefixedDigits, 0, '.', {"Tone", "Pause"}};
    EXPECT_EQ(filterCharacter(prefixed, 'P', "12", ""), 'P');
    EXPECT_FALSE(filterCharacter(prefixed, 'P', "T2", "").has_value());
}

TEST(CaseFilters, LowerCaseLettersBecomeUpper)
{
    EXPECT_EQ(typed(CharFilterKind::Hex, 'c'), "C");
    EXPECT_EQ(typed(CharFilterKind::Hex, 'g'), "refused");
    EXPECT_EQ(typed(CharFilterKind::Dtmf, 'd'), "D");
    EXPECT_EQ(typed(CharFilterKind::Dtmf, 'e'), "refused");
    EXPECT_EQ(typed(CharFilterKind::HexToE, 'F'), "refused");
}

TEST(FilterText, RunsAWholeTextAsTyped)
{
    CharFilterRule rule{CharFilterKind::SevenSegment, 2, '.', {}};
    EXPECT_EQ(filterText(rule, "be"), "bE");
    EXPECT_FALSE(filterText(rule, "bex").has_value());
    EXPECT_FALSE(filterText(rule, "kx").has_value());
}

TEST(FilterTyped, JudgesOnlyTheTypedPieceAgainstTheTextAroundIt)
{
    CharFilterRule name{CharFilterKind::SevenSegment, 2, '.', {}};
    EXPECT_EQ(filterTyped(name, "K", "b", ""), "b"); // the K before it is not judged
    EXPECT_EQ(filterTyped(name, "", "B", "x"), "b");
    EXPECT_FALSE(filterTyped(name, "", "BE", "x").has_value()); // three characters in a field of two
    EXPECT_FALSE(filterTyped(name, "", "bk", "").has_value());
    CharFilterRule q{CharFilterKind::HexToEWithQ, 0, '.', {}};
    EXPECT_FALSE(filterTyped(q, "QQQQ", "Q", "QQQQ").has_value()); // eight already around it
    EXPECT_EQ(filterTyped(q, "QQQ", "QQ", "QQ"), "QQ");
    CharFilterRule upper{CharFilterKind::UpperText, 0, '.', {}};
    EXPECT_FALSE(filterTyped(upper, "A", " ", " B").has_value());
}
