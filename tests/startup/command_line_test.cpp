// Run-mode dispatch: argument text, mode letter and the preview's host handle.
#include "startup/command_line.h"

#include <gtest/gtest.h>

namespace velnor {
namespace {

TEST(CommandLine, ArgumentTextCutsProgramPathQuotedOrNot) {
    EXPECT_EQ(ArgumentTextOf(R"("C:\Program Files\Velnor.scr" /s)"), "/s");
    EXPECT_EQ(ArgumentTextOf(R"(C:\WINDOWS\Velnor.scr   /p 1234)"), "/p 1234");
    EXPECT_EQ(ArgumentTextOf(R"("C:\x\Velnor.scr")"), "");
    EXPECT_EQ(ArgumentTextOf("Velnor.scr"), "");
    EXPECT_EQ(ArgumentTextOf(R"(  "C:\a b\V.scr"   /c:5678)"), "/c:5678");
}

TEST(CommandLine, DispatchTable) {
    struct Case {
        const char* text;
        RunMode mode;
        std::uint32_t host;
    };
    const Case cases[] = {
        {"/s", RunMode::saver, 0},
        {"/S", RunMode::saver, 0},
        {"-s", RunMode::saver, 0},
        {"xs", RunMode::saver, 0},
        {"s", RunMode::none, 0},
        {"/a", RunMode::none, 0},
        {"/x extra", RunMode::none, 0},
        // No argument text is the system's "Configure": the dialog, as with /c.
        {"", RunMode::configure, 0},
        {"/c", RunMode::configure, 0},
        {"/C", RunMode::configure, 0},
        {"/c:5678", RunMode::configure, 5678},
        {"/C:5678", RunMode::configure, 5678},
        {"/c:", RunMode::configure, 0},
        {"/c:abc", RunMode::configure, 0},
        {"/c:4294967295", RunMode::configure, 4294967295u},
        {"/c:4294967296", RunMode::configure, 0},
        {"/p 1234", RunMode::preview, 1234},
        {"/P 1234", RunMode::preview, 1234},
        {"/p:1234", RunMode::preview, 1234},
        {"/P1234", RunMode::preview, 234},
        {"/p", RunMode::preview, 0},
        {"/p abc", RunMode::preview, 0},
        {"/p 12 34x5", RunMode::preview, 1234},
        {"/p 99999999999", RunMode::preview, 0},
        {"/p 1233.5", RunMode::preview, 1234},
        {"/p 1234.5", RunMode::preview, 1234},
        // Hosts write handles unsigned: the upper half of the 32-bit range is valid.
        {"/p 2147483647", RunMode::preview, 2147483647u},
        {"/p 2147483648", RunMode::preview, 2147483648u},
        {"/p 4294967295", RunMode::preview, 4294967295u},
        {"/p 4294967295.4", RunMode::preview, 4294967295u},
        {"/p 4294967296", RunMode::preview, 0},
        // A negative number keeps its 32 bits, as the signed reading gave them.
        {"/p -1", RunMode::preview, 4294967295u},
        {"/p -2147483648", RunMode::preview, 2147483648u},
        {"/p -2147483649", RunMode::preview, 0},
    };
    for (const Case& c : cases) {
        const Dispatch d = DispatchFor(c.text);
        EXPECT_EQ(d.runMode, c.mode) << c.text;
        EXPECT_EQ(d.hostWindow, c.host) << c.text;
        EXPECT_EQ(d.argumentText, c.text);
    }
}

TEST(CommandLine, ModeLetterCountsCharactersNotBytes) {
    EXPECT_EQ(DispatchFor("ｓs").modeLetter, U'S');
    EXPECT_EQ(DispatchFor("/ｓ").runMode, RunMode::none);
}

}  // namespace
}  // namespace velnor
