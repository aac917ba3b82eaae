// Options kept after the five lines that earlier versions of verdin.ini hold.
#include <gtest/gtest.h>

#include "shell/settings.h"

namespace verdin {
namespace {

// Verify that the arithmetic option survives a round trip, that the five lines an
// earlier version reads are unchanged by it, and that the default writes no extra line.
TEST(SettingsOptions, ArithmeticRulesFollowTheFiveLines) {
    Settings s;
    s.initialFolder = "/home/ann/";
    s.recent.add("/home/ann/a.asm");
    const std::string plain = formatSettings(s);
    s.arithmeticRules = ArithmeticRules::Intel8080;
    const std::string text = formatSettings(s);
    EXPECT_EQ(text, plain + "[options]\narithmetic=intel8080\n");

    Settings back = parseSettings(text);
    EXPECT_EQ(back.arithmeticRules, ArithmeticRules::Intel8080);
    EXPECT_EQ(back.initialFolder, "/home/ann/");
    EXPECT_EQ(back.recent.entries, s.recent.entries);
    EXPECT_EQ(parseSettings(plain).arithmeticRules, ArithmeticRules::Workbench);
    EXPECT_EQ(parseSettings(plain.substr(0, plain.size() - 2) + "\r\n\r\n[options]\r\narithmetic=intel8080\r\n").arithmeticRules,
              ArithmeticRules::Intel8080);
}

// Verify that the option is read only where it is written: not from a recent-file
// line, not outside its section, and not from a value a later version might write.
TEST(SettingsOptions, StrayOrUnknownValuesKeepTheDefault) {
    for (const char* text : {
             "/f/\narithmetic=intel8080\n\n\n\n",
             "/f/\n\n\n\n\narithmetic=intel8080\n",
             "/f/\n\n\n\n\n[other]\narithmetic=intel8080\n",
             "/f/\n\n\n\n\n[options]\narithmetic=z80\n",
             "/f/\n\n\n\n\n[options]\narithmetic\n",
         }) {
        EXPECT_EQ(parseSettings(text).arithmeticRules, ArithmeticRules::Workbench) << text;
    }
    EXPECT_EQ(parseSettings("/f/\n\n\n\n\n[other]\nx=1\n[options]\nsize=3\narithmetic=intel8080\n").arithmeticRules,
              ArithmeticRules::Intel8080);
}

}  // namespace
}  // namespace verdin
