// The Config.ini reader: the classic profile rules and the typed reads of the skin loaders.
#include <gtest/gtest.h>

#include <climits>
#include <sstream>
#include <string>

#include "display/config_ini.h"

namespace fluffo {
namespace {

IniProfile parse(const std::string& text) {
    std::istringstream in(text);
    return IniProfile::parse(in);
}

// The value of key "k" in section "s" of a file holding just that line.
std::optional<std::string> value_of(const std::string& line) {
    return parse("[s]\n" + line + "\n").value("s", "k");
}

int32_t integer_of(const std::string& text, int32_t fallback = 777) {
    return parse("[s]\nk=" + text + "\n").read_integer("s", "k", fallback);
}

TEST(ConfigIniTest, SectionAndKeyNamesIgnoreCaseButNotLeadingZeros) {
    const IniProfile ini = parse("[image7]\nLEFT=5\n[Image08]\nLeft=6\n");
    EXPECT_EQ(ini.read_integer("Image7", "Left", 0), 5);
    EXPECT_EQ(ini.read_integer("IMAGE7", "left", 0), 5);
    EXPECT_EQ(ini.read_integer("Image8", "Left", 0), 0);
    EXPECT_EQ(ini.value("Image8", "Left"), std::nullopt);
}

TEST(ConfigIniTest, ValuesAreTrimmedSplitAtTheFirstEqualsAndUnquoted) {
    EXPECT_EQ(value_of("  k  =   spaced out \t"), "spaced out");
    EXPECT_EQ(value_of("k=a=b"), "a=b");
    EXPECT_EQ(value_of("k=\"  quoted  \""), "  quoted  ");
    EXPECT_EQ(value_of("k='single'"), "single");
    EXPECT_EQ(value_of("k=\"mixed'"), "\"mixed'");
    EXPECT_EQ(value_of("k=\""), "\"");
    EXPECT_EQ(value_of("k=\"\""), "");
    EXPECT_EQ(value_of("k=\"a\" and \"b\""), "a\" and \"b");
    EXPECT_EQ(value_of("k=not \"quoted\""), "not \"quoted\"");
}

TEST(ConfigIniTest, LongValuesAreCutTo2047Characters) {
    EXPECT_EQ(value_of("k=" + std::string(2047, 'x'))->size(), 2047u);
    EXPECT_EQ(*value_of("k=" + std::string(3000, 'y')), std::string(2047, 'y'));
    // The cut counts the text inside the quotes.
    EXPECT_EQ(*value_of("k=\"" + std::string(2047, 'z') + "\""), std::string(2047, 'z'));
}

TEST(ConfigIniTest, CommentsStrayLinesAndKeysBeforeAnySectionAreIgnored) {
    const IniProfile ini = parse(
        "k=before\n; [s]\n[s]\n;k=commented\n  ; indented comment\nno equals sign\n"
        "[broken\nk=kept\n");
    EXPECT_EQ(ini.value("s", "k"), "kept");
    EXPECT_EQ(ini.value("s", ";k"), std::nullopt);
    EXPECT_EQ(ini.value("broken", "k"), std::nullopt);
}

TEST(ConfigIniTest, AnEmptyValueIsEmptyTextNotTheDefault) {
    const IniProfile ini = parse("[s]\nk=\nblank=   \n");
    EXPECT_EQ(ini.read_string("s", "k", "default"), "");
    EXPECT_EQ(ini.read_string("s", "blank", "default"), "");
    EXPECT_EQ(ini.read_string("s", "missing", "default"), "default");
    EXPECT_EQ(ini.read_string("missing", "k", "default"), "default");
    EXPECT_EQ(ini.read_file_name("s", "k", "fallback.bmp"), std::nullopt);
    EXPECT_EQ(ini.read_directory("s", "k", "Graphics\\Skin\\"), "/");
}

TEST(ConfigIniTest, CrlfAndLfFilesReadAlike) {
    const std::string lines[] = {"\xEF\xBB\xBF[Common]", "SkinDir=Art", "GameWidth=500", "[Image1]",
                                 "Filename=\"body.bmp\""};
    std::string lf;
    std::string crlf;
    for (const std::string& line : lines) {
        lf += line + "\n";
        crlf += line + "\r\n";
    }
    for (const std::string& text : {lf, crlf, crlf.substr(0, crlf.size() - 2)}) {
        const IniProfile ini = parse(text);
        EXPECT_EQ(ini.read_directory("Common", "SkinDir", ""), "Art/");
        EXPECT_EQ(ini.read_integer("Common", "GameWidth", 0), 500);
        EXPECT_EQ(ini.read_file_name("Image1", "Filename", ""), "body.bmp");
    }
}

TEST(ConfigIniTest, TheFirstOfRepeatedSectionsAndKeysWins) {
    const IniProfile ini = parse("[s]\nk=first\nK=second\n[S]\nk=third\nonly_later=x\n[t]\nk=t\n");
    EXPECT_EQ(ini.value("s", "k"), "first");
    EXPECT_EQ(ini.value("s", "only_later"), std::nullopt);
    EXPECT_EQ(ini.value("t", "k"), "t");
}

TEST(ConfigIniTest, IntegersInDecimalAndHexadecimal) {
    EXPECT_EQ(integer_of("0x1F"), 31);
    EXPECT_EQ(integer_of("0X1f"), 31);
    EXPECT_EQ(integer_of("$1F"), 31);
    EXPECT_EQ(integer_of("-20"), -20);
    EXPECT_EQ(integer_of("+7"), 7);
    EXPECT_EQ(integer_of("-$10"), -16);
    EXPECT_EQ(integer_of("-0x10"), -16);
    EXPECT_EQ(integer_of("007"), 7);
    EXPECT_EQ(integer_of("2147483647"), INT32_MAX);
    EXPECT_EQ(integer_of("-2147483648"), INT32_MIN);
    EXPECT_EQ(integer_of("-$80000000"), INT32_MIN);
    // Hexadecimal without a sign fills all 32 bits, as colour numbers are written.
    EXPECT_EQ(integer_of("$FFFFFFFF"), -1);
    EXPECT_EQ(integer_of("$80000000"), INT32_MIN);
}

TEST(ConfigIniTest, TextThatIsNotAnIntegerGivesTheDefault) {
    for (const char* text :
         {"12px",        "",           "Center",     "$",          "0x",
          "-",           "+",          "1 2",        "--1",        "$-1",
          "0x-1",        "- 1",        "1.5",        "1e3",        "2147483648",
          "-2147483649", "$100000000", "-$80000001", "+$80000000", "99999999999999999999",
          "0x1G",        "$ 1"}) {
        EXPECT_EQ(integer_of(text, 777), 777) << '"' << text << '"';
    }
}

TEST(ConfigIniTest, OffsetsAreNonZeroIntegersAndAnythingElseCentres) {
    const IniProfile ini =
        parse("[Fullscreen]\nGameOffsetX=-20\nGameOffsetY=0\nA=Center\nB=12px\nC=$10\n");
    EXPECT_EQ(ini.read_offset("Fullscreen", "GameOffsetX"), -20);
    EXPECT_EQ(ini.read_offset("Fullscreen", "GameOffsetY"), 0);
    EXPECT_EQ(ini.read_offset("Fullscreen", "A"), 0);
    EXPECT_EQ(ini.read_offset("Fullscreen", "B"), 0);
    EXPECT_EQ(ini.read_offset("Fullscreen", "C"), 16);
    EXPECT_EQ(ini.read_offset("Fullscreen", "Missing"), 0);
}

TEST(ConfigIniTest, ColoursAreNumbersAndAnythingElseIsAnError) {
    const IniProfile ini = parse("[VideoMode]\nTranspColor=$00ff00ff\nRed=255\nBad=magenta\nE=\n");
    EXPECT_EQ(ini.read_colour("VideoMode", "TranspColor", "$00000000"), 0x00FF00FFu);
    EXPECT_EQ(ini.read_colour("VideoMode", "Red", "$00000000"), 0x000000FFu);
    EXPECT_EQ(ini.read_colour("VideoMode", "Missing", "$00ff00ff"), 0x00FF00FFu);
    try {
        ini.read_colour("VideoMode", "Bad", "$00ff00ff");
        FAIL() << "a colour that is no number was accepted";
    } catch (const MalformedColour& e) {
        const std::string what = e.what();
        EXPECT_NE(what.find("magenta"), std::string::npos) << what;
        EXPECT_NE(what.find("Bad"), std::string::npos) << what;
    }
    EXPECT_THROW(ini.read_colour("VideoMode", "E", "$00ff00ff"), MalformedColour);
}

TEST(ConfigIniTest, DirectoriesGetOneTrailingForwardSlash) {
    const IniProfile ini =
        parse("[d]\nplain=Graphics\\Skin\nslash=Graphics/Skin/\nabs=C:\\Skins\\\nmixed=a\\b/c\n");
    EXPECT_EQ(ini.read_directory("d", "plain", ""), "Graphics/Skin/");
    EXPECT_EQ(ini.read_directory("d", "slash", ""), "Graphics/Skin/");
    EXPECT_EQ(ini.read_directory("d", "abs", ""), "C:/Skins/");
    EXPECT_EQ(ini.read_directory("d", "mixed", ""), "a/b/c/");
    EXPECT_EQ(ini.read_directory("d", "missing", "Graphics\\Backdrop\\"), "Graphics/Backdrop/");
}

TEST(ConfigIniTest, FileNamesNilAndEmptyMeanNoneButCapitalNilIsAName) {
    const IniProfile ini = parse(
        "[Image1]\nFilename=nil\n[Image2]\nFilename=NIL\n[Image3]\nFilename=Nil\n"
        "[Image4]\nFilename=\n[Image5]\nFilename=sub\\egg.png\n[Image6]\nFilename=\"nil\"\n");
    EXPECT_EQ(ini.read_file_name("Image1", "Filename", ""), std::nullopt);
    EXPECT_EQ(ini.read_file_name("Image2", "Filename", ""), "NIL");
    EXPECT_EQ(ini.read_file_name("Image3", "Filename", ""), "Nil");
    EXPECT_EQ(ini.read_file_name("Image4", "Filename", "x.bmp"), std::nullopt);
    EXPECT_EQ(ini.read_file_name("Image5", "Filename", ""), "sub/egg.png");
    EXPECT_EQ(ini.read_file_name("Image6", "Filename", ""), std::nullopt);
    EXPECT_EQ(ini.read_file_name("Fullscreen", "LogoFile", "nil"), std::nullopt);
    EXPECT_EQ(ini.read_file_name("Image7", "Filename", ""), std::nullopt);
}

}  // namespace
}  // namespace fluffo
