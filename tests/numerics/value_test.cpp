#include "tolvik/numerics/value.h"

#include <gtest/gtest.h>

#include <cmath>

using tolvik::PlainNumberText;
using tolvik::ReadLeadingNumber;
using tolvik::Value;

TEST(Value, KindsAndConversions) {
    const Value empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_EQ(empty.toDouble(), 0.0);
    EXPECT_EQ(empty.toText(), "");
    EXPECT_TRUE(Value::integer(0).isInt());
    EXPECT_NE(Value::integer(0), Value::empty());
    EXPECT_EQ(Value(2.5).toText(), "2.5");
    EXPECT_EQ(Value("12abc").toDouble(), 12.0);
    EXPECT_TRUE(Value::integer(-1).toBool());
}

TEST(PlainNumberText, Forms) {
    const std::pair<double, const char*> cases[] = {{25, "25"},       {0.5, "0.5"},   {-1.25, "-1.25"},
                                                    {1e-7, "1E-07"},  {0, "0"},       {0.1 + 0.2, "0.3"},
                                                    {1e-4, "0.0001"}, {1e15, "1E+15"}};
    for (const auto& [x, text] : cases)
        EXPECT_EQ(PlainNumberText(x), text) << x;
    EXPECT_EQ(PlainNumberText(std::nan("")), "");
}

TEST(ReadLeadingNumber, Texts) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},       {"12abc", 12}, {"1 2", 12}, {" -3.5 ", -3.5}, {"1.5.5", 1.5},
        {"2e3", 2000}, {"2e", 2},     {"abc", 0},  {"+.5", 0.5},     {"1e999", 0},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(ReadLeadingNumber(text), value) << text;
}

TEST(IsNumberText, Texts) {
    const std::pair<const char*, bool> cases[] = {{"12", true},   {" -3,5 ", true}, {"1E5", true},
                                                  {"2e-3", true}, {"2e", false},    {"12abc", false},
                                                  {"", false},    {".", false}};
    for (const auto& [text, number] : cases)
        EXPECT_EQ(tolvik::IsNumberText(text), number) << text;
}
