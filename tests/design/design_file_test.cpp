// Design files: what is written reads back equal, and a damaged or foreign file is refused
// with words that name its fault.

#include "tolvik/design/design_file.h"

#include <gtest/gtest.h>

using namespace tolvik::design;

namespace {

Design Sample() {
    GraphState g{"Graph1(2)", "µe vs. T", "T[°C]", "µe", 0, 1, -40, 150, 0, 1e300, 3, {{"LineStyle", 2}}, {}};
    g.curves.push_back({"µe R41 s=0.5[mm]", {{-40.0, 81.25}, {25.0, 89.125}, {std::nullopt, 3.0}}});
    g.curves.push_back({"\"quoted\"\\ \n tab\t", {{1e-300, -0.0}}});
    WindowState core{"CoreForm",
                     2,
                     "E 20/10/6",
                     "R41",
                     "",
                     {{"s", "0,5"}, {"t1L", ""}},
                     {{"Opt1", true}, {"LP", false}},
                     {{"Kern", "E 20/10/6"}, {"Material", "R41"}},
                     {g}};
    WindowState mat{"MatTab", 4, "", "S22", "25", {}, {}, {{"Material", "S22"}}, {}};
    return {"/home/user/.local/share/tolvik/db1.mdb", {core, mat}};
}

} // namespace

TEST(DesignFile, WrittenDesignReadsBackEqual) {
    const Design d = Sample();
    const DesignRead r = ReadDesign(WriteDesign(d));
    ASSERT_TRUE(r.design) << r.error;
    EXPECT_EQ(*r.design, d);
    // An escaped surrogate pair, the lowest low half included, is one character (U+10000).
    std::string escaped = WriteDesign(d);
    escaped.replace(escaped.find("µe vs. T"), std::string("µe vs. T").size(), "\\ud800\\udc00");
    const DesignRead e = ReadDesign(escaped);
    ASSERT_TRUE(e.design) << e.error;
    EXPECT_EQ(e.design->windows[0].graphs[0].title, "\xF0\x90\x80\x80");
}

TEST(DesignFile, DamagedOrForeignFilesAreRefusedWithTheirFault) {
    const std::string good = WriteDesign(Sample());
    const auto replaced = [&good](const std::string& from, const std::string& to) {
        std::string s = good;
        const auto at = s.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return s.replace(at, from.size(), to);
    };
    // what, text, error (a part of the message)
    const std::tuple<const char*, std::string, const char*> cases[] = {
        {"truncated", good.substr(0, good.size() / 2), "not JSON"},
        {"not JSON", "this is a letter, not a design", "not JSON"},
        {"empty", "", "not JSON"},
        {"no object", "[1,2]", "no JSON object"},
        {"wrong format name", replaced("tolvik-design", "tolvik-sketch"),
         "not a Tolvik design (format \"tolvik-sketch\")"},
        {"newer version", replaced("\"version\":1", "\"version\":2"), "newer Tolvik (design version 2"},
        {"text for a number", replaced("\"tab\":2", "\"tab\":\"2\""),
         "windows[0].tab: a number is expected, not a text"},
        {"tab out of range", replaced("\"tab\":2", "\"tab\":7"),
         "windows[0].tab: a whole number from 0 to 6"},
        {"unknown window", replaced("\"MatTab\"", "\"Other\""),
         "windows[1].name: \"Other\" is no working window"},
        {"missing entry", replaced("\"material\":\"R41\",", ""),
         "windows[0]: the entry \"material\" is missing"},
        {"point not a pair", replaced("[25,89.125]", "[25]"), "curves[0].points[1]: a pair [x, y]"},
        {"text for a point", replaced("89.125", "\"89\""), "points[1][1]: a number is expected"},
        {"broken surrogate pair", replaced("µe vs. T", "\\ud800\\u0041"), "a broken surrogate pair"},
        {"option not a flag", replaced("\"Opt1\":true", "\"Opt1\":1"), "options.Opt1: true or false"},
        {"window twice", replaced("\"MatTab\"", "\"CoreForm\""), "CoreForm twice"},
        {"too large", std::string(kMaxDesignBytes + 1, ' '), "too large"},
    };
    for (const auto& [what, text, error] : cases) {
        const DesignRead r = ReadDesign(text);
        EXPECT_FALSE(r.design) << what;
        EXPECT_NE(r.error.find(error), std::string::npos) << what << ": " << r.error;
    }
}
