// qmscales-cli send-logo, read-logo, convert-logo and show-logo, run as a real process; the scale
// commands against an emulated scale, the conversion with no display at all.
#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

#include "StateBuilder.h"
#include "common/Cp1251.h"
#include "common/TableLayouts.h"
#include "config/ConfigTable.h"
#include "files/TableFiles.h"
#include "logo/LogoCodec.h"
#include "logo/LogoScaleBytes.h"
#include "support/CliStartDir.h"
#include "support/EmuProcess.h"

namespace fs = std::filesystem;

using logotest::scaleBytes;

namespace
{

constexpr int kScale = 9;

struct StartDir : qmtest::CliStartDir {
    explicit StartDir(const qmtest::EmuProcess* emu = nullptr) : CliStartDir(emu, kScale, "Весы 1") {}
};

qmtest::CliRun cli(const StartDir& dir, std::vector<std::string> args)
{
    return dir.cli(std::move(args));
}

qm::LogoPicture corners()
{
    qm::LogoPicture p;
    p.setDot(0, 0, true);
    p.setDot(63, 63, true);
    p.setDot(10, 3, true);
    return p;
}

// A 24-bit bitmap file, rows bottom-up, each padded to four bytes; `black(x, y)` picks the dots.
template <class Pred> std::string bitmap(int width, int height, Pred black)
{
    const int rowBytes = (width * 3 + 3) / 4 * 4;
    const int size = 54 + rowBytes * height;
    std::string out;
    const auto le = [&out](std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out += static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    out += "BM";
    le(static_cast<std::uint32_t>(size), 4);
    le(0, 4);
    le(54, 4); // pixel data offset
    le(40, 4); // header size
    le(static_cast<std::uint32_t>(width), 4);
    le(static_cast<std::uint32_t>(height), 4);
    le(1, 2);  // planes
    le(24, 2); // bits per pixel
    le(0, 4);  // no compression
    le(static_cast<std::uint32_t>(rowBytes * height), 4);
    le(2835, 4);
    le(2835, 4);
    le(0, 4);
    le(0, 4);
    for (int y = height - 1; y >= 0; --y) {
        std::string row;
        for (int x = 0; x < width; ++x)
            row += std::string(3, black(x, y) ? '\0' : '\xFF');
        row.resize(static_cast<std::size_t>(rowBytes), '\0');
        out += row;
    }
    return out;
}

// Sets an environment variable for the scope of a test, or removes it (nullopt).
class ScopedEnv
{
  public:
    ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name)
    {
        if (const char* old = std::getenv(name))
            m_old = old;
        if (value)
            ::setenv(name, value->c_str(), 1);
        else
            ::unsetenv(name);
    }
    ~ScopedEnv()
    {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

} // namespace

TEST(CliLogo, ShowLogoDrawsTheRowsAsText)
{
    StartDir dir;
    dir.write("c.qmi", qm::logoFileBytes(corners()));
    const auto r = cli(dir, {"show-logo", "c.qmi"});
    EXPECT_EQ(r.status, 0) << r.err;
    std::string expected;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x)
            expected += corners().dot(x, y) ? '#' : '.';
        expected += '\n';
    }
    EXPECT_EQ(r.out, expected);

    dir.write("long.qmi", std::string(513, '\0'));
    const auto wrong = cli(dir, {"show-logo", "long.qmi"});
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "Формат выбранного файла не соответствует нужному формату.\n");
    EXPECT_EQ(cli(dir, {"show-logo", "none.qmi"}).status, 1);
    EXPECT_EQ(cli(dir, {"show-logo"}).status, 2);
}

TEST(CliLogo, ConvertLogoCutsThresholdsAndNeedsNoDisplay)
{
    StartDir dir;
    // 100 × 70: black in the corner 20 × 10, grey (brightness 150) in column 30, black beyond the cut.
    dir.write("pic.bmp", bitmap(100, 70, [](int x, int y) { return (x < 20 && y < 10) || x >= 64 || y >= 64; }));
    {
        // No display, and a platform that does not exist: the conversion needs neither.
        ScopedEnv display("DISPLAY", std::nullopt);
        ScopedEnv wayland("WAYLAND_DISPLAY", std::nullopt);
        ScopedEnv platform("QT_QPA_PLATFORM", std::string("none-such"));
        const auto r = cli(dir, {"convert-logo", "pic.bmp", "--out", "pic.qmi"});
        EXPECT_EQ(r.status, 0) << r.out << r.err;
    }
    const std::string bytes = dir.read("pic.qmi");
    ASSERT_EQ(bytes.size(), 512u);
    const qm::LogoPicture logo = qm::logoFromFileBytes(bytes);
    EXPECT_EQ(logo.setCount(), 200);
    EXPECT_TRUE(logo.dot(19, 9));
    EXPECT_FALSE(logo.dot(20, 9));
}

TEST(CliLogo, ConvertLogoThresholdAndUsage)
{
    StartDir dir;
    // One grey pixel of brightness 150 on white.
    std::string grey = bitmap(1, 1, [](int, int) { return false; });
    grey[54] = grey[55] = grey[56] = static_cast<char>(150);
    dir.write("grey.bmp", grey);
    EXPECT_EQ(cli(dir, {"convert-logo", "grey.bmp", "--out", "a.qmi"}).status, 0);
    EXPECT_EQ(qm::logoFromFileBytes(dir.read("a.qmi")).setCount(), 0) << "127 < 150: white";
    EXPECT_EQ(cli(dir, {"convert-logo", "grey.bmp", "--threshold", "150", "--out", "b.qmi"}).status, 0);
    EXPECT_EQ(qm::logoFromFileBytes(dir.read("b.qmi")).setCount(), 1);

    for (const char* bad : {"19", "221", "x"})
        EXPECT_EQ(cli(dir, {"convert-logo", "grey.bmp", "--threshold", bad, "--out", "c.qmi"}).status, 2) << bad;
    EXPECT_EQ(cli(dir, {"convert-logo", "grey.bmp"}).status, 2);
    EXPECT_FALSE(fs::exists(dir.path / "c.qmi"));

    dir.write("bad.png", "no picture at all");
    const auto damaged = cli(dir, {"convert-logo", "bad.png", "--out", "d.qmi"});
    EXPECT_EQ(damaged.status, 1);
    EXPECT_NE(damaged.err.find("bad.png"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir.path / "d.qmi"));
}

TEST(CliLogo, SendLogoWritesTheScalesLogo)
{
    qmtest::EmuOptions options;
    options.number = kScale;
    qmtest::EmuProcess emu(options);
    StartDir dir(&emu);
    dir.write("c.qmi", qm::logoFileBytes(corners()));
    auto r = cli(dir, {"send-logo", "--scale", "Весы 1", "c.qmi"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Данные переданы.\n");
    EXPECT_EQ(emu.state().logo, scaleBytes(corners()));

    dir.write("short.qmi", std::string(511, '\0'));
    r = cli(dir, {"send-logo", "--scale", "Весы 1", "short.qmi"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(emu.state().logo, scaleBytes(corners()));
    EXPECT_EQ(cli(dir, {"send-logo", "c.qmi"}).status, 2);
}

TEST(CliLogo, SendLogoRefusedByTheScaleFails)
{
    qmtest::EmuOptions options;
    options.number = kScale;
    options.faults = {"nak@0x8C"};
    qmtest::EmuProcess emu(options);
    StartDir dir(&emu);
    dir.write("c.qmi", qm::logoFileBytes(corners()));
    const auto r = cli(dir, {"send-logo", "--scale", "Весы 1", "c.qmi"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ошибка записи. Повторите еще раз\n");
}

TEST(CliLogo, ReadLogoWritesTheFileOnlyWhenTheWholeLogoArrived)
{
    qmtest::EmuOptions options;
    options.number = kScale;
    options.stateJson = emu::StateBuilder(kScale).logo(scaleBytes(corners())).json();
    options.faults = {"truncate=100@0x97#2-4"}; // the second read, asked thrice
    qmtest::EmuProcess emu(options);
    StartDir dir(&emu);
    auto r = cli(dir, {"read-logo", "--scale", "Весы 1", "--out", "read.qmi"});
    EXPECT_EQ(r.status, 0) << r.out << r.err;
    EXPECT_EQ(r.out, "Логотип прочитан.\n");
    EXPECT_EQ(dir.read("read.qmi"), qm::logoFileBytes(corners()));

    // The second read is cut short: the older file stays whole.
    dir.write("old.qmi", std::string(512, '\x5A'));
    r = cli(dir, {"read-logo", "--scale", "Весы 1", "--out", "old.qmi"});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, "Ошибка передачи. Попытайтесь еще раз.\n");
    EXPECT_EQ(dir.read("old.qmi"), std::string(512, '\x5A'));
    EXPECT_EQ(cli(dir, {"read-logo", "--scale", "Весы 1"}).status, 2);
}
