// Runs the real tintara-cli binary, as scripts would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Result {
  int status = -1;
  std::string out;
  std::string err;
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Runs the companion with the given arguments (already quoted for the shell)
// and the given standard input.
Result RunCli(const std::string& args, const std::string& input = "",
              const std::string& environment = "") {
  const std::string dir = testing::TempDir();
  const std::string in_path = dir + "/cli_in.txt";
  const std::string err_path = dir + "/cli_err.txt";
  std::ofstream(in_path) << input;
  const std::string command = environment + " " + std::string(TINTARA_CLI_PATH) + " " + args +
                              " <" + in_path + " 2>" + err_path;
  Result result;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return result;
  char buffer[4096];
  std::size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) result.out.append(buffer, n);
  const int raw = pclose(pipe);
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  result.err = ReadFile(err_path);
  return result;
}

TEST(Cli, ConvertsModelValuesToRgbAndBack) {
  EXPECT_EQ(RunCli("convert esl 152 172 109").out, "33 66 199\n");
  EXPECT_EQ(RunCli("convert --to hsl 255 0 0").out, "246 255 127\n");
  EXPECT_EQ(RunCli("convert --to ycc 33 66 200").out, "71 72 -27\n");
  EXPECT_EQ(RunCli("convert ymc 55 189 222").out, "33 66 200\n");
  EXPECT_EQ(RunCli("convert rgb 1 2 3").status, 0);
}

TEST(Cli, ClampsValuesIntoTheirRanges) {
  EXPECT_EQ(RunCli("convert rgb 300 -20 +7").out, "255 0 7\n");
  EXPECT_EQ(RunCli("convert hsl 0 255 127").out, RunCli("convert hsl 1 255 127").out);
  EXPECT_EQ(RunCli("convert ycc 0 -5000 -5000").out, "0 135 0\n");
  EXPECT_EQ(RunCli("convert --to esl 999 -1 0").out, "0 240 120\n");
  // Beyond 64 bits, too, as the fields do.
  EXPECT_EQ(RunCli("convert rgb 99999999999999999999 -99999999999999999999 0").out, "255 0 0\n");
}

TEST(Cli, ReadsNumbersAsTheFieldsDo) {
  // One sign at most, then digits and nothing else.
  for (const char* value : {"+-5", "-+5", "--5", "++5", "-", "+", "5-", "0x10", "1e3", "5.0"}) {
    SCOPED_TRACE(value);
    EXPECT_EQ(RunCli(std::string("convert rgb ") + value + " 0 0").status, 2);
  }
  EXPECT_EQ(RunCli("convert rgb -0 +0255 007").out, "0 255 7\n");
  EXPECT_EQ(RunCli("text +3 102030").status, 0);
  EXPECT_EQ(RunCli("text +-3 102030").status, 2);
}

TEST(Cli, WritesCopyTexts) {
  EXPECT_EQ(RunCli("text 7 ff0080 --upper").out, "<FONT COLOR = \"#FF0080\"></FONT>\n");
  EXPECT_EQ(RunCli("text 4 ff0000 --names").out, "color : red\n");
  EXPECT_EQ(RunCli("text 0 '#C0C0C0'").out, "c0c0c0\n");
  EXPECT_EQ(RunCli("text 2 --upper --names 102030").out, "0X302010\n");
}

TEST(Cli, ReadsOneInputPerLineAndGoesOnAfterABadLine) {
  const Result convert = RunCli("convert hsv", "228 83 78\n1 2\n209 60 100\nx 1 2\n");
  EXPECT_EQ(convert.out,
            "34 67 199\nerror: expected three numbers, got 2\n102 181 255\n"
            "error: 'x' is not a whole number\n");
  EXPECT_EQ(convert.status, 1);

  const Result text = RunCli("text 0 --names", "ff0000\r\n#000080\n12345\n");
  EXPECT_EQ(text.out, "red\nnavy\nerror: '12345' is not six hexadecimal digits\n");
  EXPECT_EQ(text.status, 1);

  const Result clean = RunCli("convert --to rgb", "1 2 3\n");
  EXPECT_EQ(clean.out, "1 2 3\n");
  EXPECT_EQ(clean.status, 0);
}

TEST(Cli, BadArgumentsExitWithTwoAndOneLineOnStandardError) {
  for (const char* args : {"",
                           "convert",
                           "convert cmyk 1 2 3",
                           "convert lab 1 2",
                           "convert lab 1 2 1.",
                           "convert --to oklch 1 2 0.5",
                           "convert rgb 1 2",
                           "convert rgb 1 2 3 4",
                           "convert rgb 1 2 x",
                           "convert --from rgb 1 2 3",
                           "text",
                           "text 17 ff0000",
                           "text x ff0000",
                           "text 0 ff00",
                           "text 0 gg0000",
                           "text 0 ff0000 00ff00",
                           "text 0 ff0000 --lower",
                           "paint",
                           "contrast 777777",
                           "contrast 777777 ffffff 000000",
                           "contrast 7777 ffffff",
                           "contrast red ffffff",
                           "contrast 777777 ffffff --large",
                           "read --contrasts",
                           "text css4 ff0000 --space cmyk",
                           "text css4 ff0000 --space",
                           "text css4 ff0000 --names",
                           "text 0 ff0000 --space lab",
                           "palette --format png",
                           "palette --format",
                           "palette extra",
                           "palette --store ''"}) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    ASSERT_FALSE(r.err.empty()) << args;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
  }
}

TEST(Cli, JudgesTheContrastOfTwoColours) {
  EXPECT_EQ(RunCli("contrast 777777 ffffff").out,
            "ratio=4.48 aa-normal=fail aa-large=pass aaa-normal=fail aaa-large=fail\n");
  EXPECT_EQ(RunCli("contrast ffffff 777777").out, RunCli("contrast 777777 ffffff").out);
  EXPECT_EQ(RunCli("contrast 767676 '#FFFFFF'").out,
            "ratio=4.54 aa-normal=pass aa-large=pass aaa-normal=fail aaa-large=pass\n");
  // 4.498: plainly rounded it would look like a pass.
  EXPECT_EQ(RunCli("contrast 070707 777777").out,
            "ratio=4.49 aa-normal=fail aa-large=pass aaa-normal=fail aaa-large=fail\n");

  const Result batch = RunCli("contrast", "0000ff ffffff\nff0000\n000000 #c0c0c0\nzz0000 ffffff\n");
  EXPECT_EQ(batch.out,
            "ratio=8.59 aa-normal=pass aa-large=pass aaa-normal=pass aaa-large=pass\n"
            "error: expected two colours, got 1\n"
            "ratio=11.54 aa-normal=pass aa-large=pass aaa-normal=pass aaa-large=pass\n"
            "error: 'zz0000' is not six hexadecimal digits\n");
  EXPECT_EQ(batch.status, 1);
}

// Writes a file for the companion to read and returns its path.
std::string WriteFile(const std::string& name, const std::string& content) {
  const std::string path = testing::TempDir() + "/" + name;
  std::ofstream(path, std::ios::binary) << content;
  return path;
}

TEST(Cli, ReadsTheColoursOfABodyTag) {
  const std::string page = WriteFile(
      "page.htm", "<html>\r\n<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000FF>\r\n</html>\r\n");
  EXPECT_EQ(RunCli("read " + page).out, "text=000000 link=0000ff vlink=- alink=- bgcolor=ffffff\n");
  EXPECT_EQ(RunCli("read", "<body alink=\"Red\">").out,
            "text=- link=- vlink=- alink=ff0000 bgcolor=-\n");
}

TEST(Cli, ReadsTheContrastOfEachRoleWithTheBackground) {
  const std::string page =
      WriteFile("contrast.htm", "<BODY BGCOLOR=#FFFFFF TEXT=#000000 LINK=#0000FF>");
  const std::string roles = "text=000000 link=0000ff vlink=- alink=- bgcolor=ffffff";
  EXPECT_EQ(RunCli("read " + page).out, roles + "\n");
  EXPECT_EQ(RunCli("read --contrast " + page).out,
            roles + " text-contrast=21.00 link-contrast=8.59 vlink-contrast=- alink-contrast=-\n");
  EXPECT_EQ(RunCli("read " + page + " --contrast").out, RunCli("read --contrast " + page).out);
  // Without a background the roles are measured on the composer's default.
  EXPECT_EQ(RunCli("read --contrast", "<body text=black alink=\"Red\">").out,
            "text=000000 link=- vlink=- alink=ff0000 bgcolor=- text-contrast=11.54 "
            "link-contrast=- vlink-contrast=- alink-contrast=2.20\n");
  // A single colour has no background to be measured against.
  EXPECT_EQ(RunCli("read --contrast", "navy").out, "colour=000080\n");
  const Result bad = RunCli("read --contrast", "<body text=red2>");
  EXPECT_EQ(bad.status, 1);
  EXPECT_TRUE(bad.out.empty());
}

TEST(Cli, ReadsASingleColourOrNothing) {
  EXPECT_EQ(RunCli("read", "navy").out, "colour=000080\n");
  EXPECT_EQ(RunCli("read", "navy\n").out, "colour=000080\n");
  EXPECT_EQ(RunCli("read " + WriteFile("words.txt", "colour is #336699 here")).out,
            "colour=336699\n");
  const Result none = RunCli("read", "no colour in here\n");
  EXPECT_EQ(none.out, "none\n");
  EXPECT_EQ(none.status, 0);
}

TEST(Cli, ReportsAValueThatIsNoColour) {
  const Result r = RunCli("read " + WriteFile("bad.htm", "<body text=\"red2\" bgcolor=white>"));
  EXPECT_EQ(r.status, 1);
  EXPECT_TRUE(r.out.empty());
  EXPECT_EQ(r.err, "'0x0re' は整数ではありません\n");
  // Bytes of a binary file are not passed to the terminal as they are.
  const Result binary = RunCli("read", std::string("<body text=\x1b]\n>"));
  EXPECT_EQ(binary.status, 1);
  EXPECT_EQ(binary.err, "'0x0\\x1b]' は整数ではありません\n");
}

TEST(Cli, RefusesFilesItCannotOrWillNotRead) {
  const std::string big = WriteFile("big.htm", std::string(16 * 1024 * 1024 + 1, ' '));
  const std::string exact = WriteFile("exact.htm", std::string(16 * 1024 * 1024 - 4, ' ') + "navy");
  EXPECT_EQ(RunCli("read " + exact).out, "colour=000080\n");
  // The final line break is dropped before the size is judged.
  const std::string exact_lf =
      WriteFile("exact-lf.htm", std::string(16 * 1024 * 1024 - 4, ' ') + "navy\n");
  const std::string exact_crlf =
      WriteFile("exact-crlf.htm", std::string(16 * 1024 * 1024 - 4, ' ') + "navy\r\n");
  EXPECT_EQ(RunCli("read " + exact_lf).out, "colour=000080\n");
  EXPECT_EQ(RunCli("read " + exact_crlf).out, "colour=000080\n");
  const std::string big_lf = WriteFile("big-lf.htm", std::string(16 * 1024 * 1024 + 1, ' ') + "\n");
  EXPECT_EQ(RunCli("read " + big_lf).status, 2);
  for (const std::string& args :
       std::vector<std::string>{"read " + big, "read " + testing::TempDir() + "/missing.htm",
                                "read " + testing::TempDir(), "read a b", "read --all"}) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args;
    EXPECT_TRUE(r.out.empty()) << args;
    ASSERT_FALSE(r.err.empty()) << args;
    EXPECT_EQ(r.err.find('\n'), r.err.size() - 1) << args << ": " << r.err;
  }
}

TEST(Cli, PrintsItsVersion) {
  for (const char* args : {"--version", "-v", "parse --version"}) {
    const Result r = RunCli(args);
    EXPECT_EQ(r.status, 0) << args;
    EXPECT_EQ(r.out, std::string("tintara-cli ") + TINTARA_VERSION + "\n") << args;
    EXPECT_TRUE(r.err.empty()) << args;
  }
}

TEST(Cli, ConvertsStyleSheetSpaces) {
  EXPECT_EQ(RunCli("convert --to oklch 255 0 0").out, "0.628 0.2577 29.23\n");
  EXPECT_EQ(RunCli("convert --to lab 255 0 0").out, "54.29 80.8 69.89\n");
  EXPECT_EQ(RunCli("convert --to lch 300 300 300").out, "100 0 0\n");
  EXPECT_EQ(RunCli("convert --to oklab 0 0 0").out, "0 0 0\n");
  EXPECT_EQ(RunCli("convert --to hwb 255 0 128").out, "329.9 0 0\n");
  EXPECT_EQ(RunCli("convert --to xyz 255 255 255").out, "0.9505 1 1.089\n");
  EXPECT_EQ(RunCli("convert --to p3 255 0 0").out, "0.9175 0.2003 0.1386\n");
  EXPECT_EQ(RunCli("convert oklch 0.628 0.2577 29.23").out, "255 0 0\n");
  EXPECT_EQ(RunCli("convert lab 54.29 80.8 69.89").out, "255 0 0\n");
  EXPECT_EQ(RunCli("convert hwb 240 20 40").out, "51 51 153\n");
  EXPECT_EQ(RunCli("convert xyz 0.21661 0.14602 0.59452").out, "118 84 205\n");
  EXPECT_EQ(RunCli("convert p3 1 0 0").out, "255 11 12 clipped\n");
  EXPECT_EQ(RunCli("convert oklch 0.7 0.4 150").out, "0 194 72 clipped\n");
  EXPECT_EQ(RunCli("convert oklch 1e999 -1e999 +5e-1").out, "255 255 255\n");
  // The six models keep their whole numbers.
  EXPECT_EQ(RunCli("convert --to hsl 255 0 0").out, "246 255 127\n");
  const Result batch = RunCli("convert lch", "54.29 106.84 40.86\n1 2\n50 x 0\n50 0 0\n");
  EXPECT_EQ(batch.out,
            "255 0 0\nerror: expected three numbers, got 2\nerror: 'x' is not a number\n"
            "119 119 119\n");
  EXPECT_EQ(batch.status, 1);
}

TEST(Cli, ParsesStyleSheetColours) {
  EXPECT_EQ(RunCli("parse 'oklch(62.8% 0.2577 29.23)'").out, "ff0000 1\n");
  EXPECT_EQ(RunCli("parse 'color(display-p3 1 0 0)'").out, "ff0b0c 1 clipped\n");
  EXPECT_EQ(RunCli("parse '#7654cd80' 'hsl(120 100% 25% / 50%)' transparent").out,
            "7654cd 0.502\n008000 0.5\n000000 0\n");
  const Result args = RunCli("parse red 'rgb(1 2)' blue");
  EXPECT_EQ(args.out, "ff0000 1\nerror: rgb() takes three values, got 2\n0000ff 1\n");
  EXPECT_EQ(args.status, 1);
  const Result lines = RunCli("parse", "rgb(255 0 0)\r\n  hwb(120 0% 0%)  \nnotacolour\n\x1b[2J\n");
  EXPECT_EQ(lines.out,
            "ff0000 1\n00ff00 1\nerror: unknown colour name 'notacolour'\n"
            "error: '\\x1b[2J' is not a colour\n");
  EXPECT_EQ(lines.status, 1);
  EXPECT_TRUE(lines.err.empty());
  EXPECT_EQ(RunCli("parse", "").status, 0);
}

TEST(Cli, WritesModernSyntaxThatParsesBack) {
  EXPECT_EQ(RunCli("text css4 ff0080").out, "rgb(255 0 128)\n");
  EXPECT_EQ(RunCli("text css4 '#FF0080' --space hsl").out, "hsl(329.9 100% 50%)\n");
  EXPECT_EQ(RunCli("text css4 ff0000 --space oklch").out, "oklch(62.8% 0.2577 29.23)\n");
  for (const char* space : {"rgb", "hsl", "hwb", "lab", "lch", "oklab", "oklch", "xyz", "p3"}) {
    const Result texts =
        RunCli(std::string("text css4 --space ") + space, "ff0080\n123456\n000000\nffffff\nzz\n");
    EXPECT_EQ(texts.status, 1) << space;
    const std::string lines = texts.out.substr(0, texts.out.rfind("error:"));
    const Result back = RunCli("parse", lines);
    EXPECT_EQ(back.out, "ff0080 1\n123456 1\n000000 1\nffffff 1\n") << space << ": " << lines;
  }
}

TEST(Cli, ReadsThePaletteOfTheProgramsOwnStore) {
  const std::string home = testing::TempDir() + "/palette-home";
  std::system(("mkdir -p " + home + "/Korvell").c_str());
  WriteFile("palette-home/Korvell/RGB.conf",
            "[General]\nR0=1\nG0=2\nB0=3\nR1=300\nG2=x\nFavorite=1\nFavorite0=Navy\n"
            "FavoriteB0=128\n");
  const Result r = RunCli("palette --format txt", "", "XDG_CONFIG_HOME=" + home);
  // A channel missing or out of range takes the one read before it.
  EXPECT_EQ(r.out,
            "010203\n010203\n010203\n010203\n010203\n010203\n010203\n010203\n010203\n"
            "010203\n010280\n");
  EXPECT_EQ(r.status, 0);
  // No store yet: the program's first palette, ten white slots.
  const Result first = RunCli("palette", "", "XDG_CONFIG_HOME=" + home + "/none");
  EXPECT_EQ(first.status, 0);
  EXPECT_NE(first.out.find("255 255 255\tUser 9\n"), std::string::npos);
  EXPECT_EQ(RunCli("palette --store " + home).status, 2);
  EXPECT_EQ(RunCli("palette --store " + home + "/missing.conf").status, 2);
}

TEST(Cli, HelpPrintsTheUsage) {
  const Result r = RunCli("--help");
  EXPECT_EQ(r.status, 0);
  EXPECT_NE(r.out.find("tintara-cli convert MODEL"), std::string::npos);
  EXPECT_NE(r.out.find("tintara-cli read [FILE]"), std::string::npos);
  EXPECT_NE(r.out.find("tintara-cli contrast [FG BG]"), std::string::npos);
  EXPECT_NE(r.out.find("tintara-cli parse [TEXT...]"), std::string::npos);
  EXPECT_NE(r.out.find("tintara-cli palette"), std::string::npos);
}

}  // namespace
