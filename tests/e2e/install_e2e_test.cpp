// The installed programs: `cmake --install` into a temporary prefix, the tree moved somewhere
// else (an installation is relocatable), then both programs run from there, finding their data
// in the installed share folder and nowhere else.
#include "imaging/image_decoder.h"
#include "support/test_support.h"
#include "xvfb_session.h"

#include <csignal>
#include <cstdint>
#include <cstdlib>
#include <gtest/gtest.h>
#include <optional>
#include <string>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* kAppId = "example.halvorn_software.Scalora";

// Width and height from a PNG's header, or nothing when the file is not a PNG.
std::optional<std::pair<std::uint32_t, std::uint32_t>> pngSize(const fs::path& file) {
    const std::string bytes = test::readFile(file);
    if (bytes.size() < 24 || bytes.compare(1, 3, "PNG") != 0) {
        return std::nullopt;
    }
    const auto word = [&](std::size_t at) {
        std::uint32_t value = 0;
        for (std::size_t i = 0; i < 4; ++i) {
            value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
        }
        return value;
    };
    return std::make_pair(word(16), word(20));
}

// An uncompressed 24-bit BMP of one colour, small enough to write by hand.
std::string solidBmp(std::uint32_t width, std::uint32_t height) {
    const std::uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
    const std::uint32_t pixelBytes = rowBytes * height;
    std::string bmp;
    const auto put = [&bmp](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            bmp.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
        }
    };
    bmp += "BM";
    put(54 + pixelBytes, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(width, 4);
    put(height, 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(pixelBytes, 4);
    put(2835, 4); // 72 dpi
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    for (std::uint32_t y = 0; y < height; ++y) {
        for (std::uint32_t x = 0; x < width; ++x) {
            bmp += "\x30\x80\xE0"; // blue, green, red
        }
        bmp.append(rowBytes - width * 3, '\0');
    }
    return bmp;
}

class InstalledProgramTest : public ::testing::Test {
protected:
    void SetUp() override {
        if (const std::string tool = test::XvfbSession::missingTool({"xdotool"}); !tool.empty()) {
            GTEST_SKIP() << tool << " is not installed";
        }
        ASSERT_TRUE(session_.start()) << session_.error();
        // Settings and the single-instance socket stay in the test's folder.
        fs::create_directories(dir_ / "config");
        fs::create_directories(dir_ / "run");
        fs::permissions(dir_ / "run", fs::perms::owner_all);
        ::setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        ::setenv("XDG_RUNTIME_DIR", (dir_ / "run").c_str(), 1);
    }

    test::CommandResult run(const std::vector<std::string>& argv) {
        return session_.run(argv, 60s);
    }

    test::TempDir dir_;
    test::XvfbSession session_;
};

TEST_F(InstalledProgramTest, BothProgramsRunFromAMovedInstallation) {
    const fs::path staged = dir_ / "staged";
    const test::CommandResult install =
        run({SCALORA_CMAKE_COMMAND, "--install", SCALORA_BUILD_DIR, "--prefix", staged.string()});
    ASSERT_EQ(install.status, 0) << install.output;

    // Moved after installing: nothing may remember where it was put first.
    const fs::path prefix = dir_ / "moved prefix ü";
    fs::rename(staged, prefix);
    const fs::path share = prefix / "share";
    for (const fs::path& file :
         {share / "halvorn-scalora" / "data.pak", share / "halvorn-scalora" / "default.style",
          share / "halvorn-scalora" / "languages" / "english.xml",
          share / "applications" / (std::string(kAppId) + ".desktop"),
          share / "metainfo" / (std::string(kAppId) + ".metainfo.xml"),
          share / "icons" / "hicolor" / "scalable" / "apps" / (std::string(kAppId) + ".svg"),
          share / "man" / "man1" / "scalora.1.gz", share / "man" / "man1" / "scalora-batch.1.gz",
          share / "bash-completion" / "completions" / "scalora-batch",
          share / "zsh" / "site-functions" / "_scalora-batch"}) {
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
    }
    for (const std::uint32_t size : {16u, 32u, 48u, 64u, 128u, 256u, 512u}) {
        const std::string folder = std::to_string(size) + "x" + std::to_string(size);
        const fs::path icon =
            share / "icons" / "hicolor" / folder / "apps" / (std::string(kAppId) + ".png");
        EXPECT_EQ(pngSize(icon), std::make_pair(size, size)) << icon;
    }

    // The command-line program on a small image.
    fs::create_directories(dir_ / "in");
    fs::create_directories(dir_ / "out");
    ASSERT_TRUE(test::writeFile(dir_ / "in" / "small photo.bmp", solidBmp(40, 30)));
    const test::CommandResult batch =
        run({(prefix / "bin" / "scalora-batch").string(), "--mode", "width", "--width", "20",
             "--format", "png", "--dest", (dir_ / "out").string(), (dir_ / "in").string()});
    EXPECT_EQ(batch.status, 0) << batch.output;
    PixelImage result;
    ASSERT_TRUE(decodeImageFile((dir_ / "out" / "small photo.png").string(), {}, result))
        << batch.output;
    EXPECT_EQ(result.width(), 20);
    EXPECT_EQ(result.height(), 15);
    EXPECT_EQ(result.pixel(10, 7), 0xFFE08030u); // one colour stays that colour

    // The window program: it shows its window only after opening data.pak and default.style,
    // which exist nowhere but in the installed share folder.
    const std::string program = (prefix / "bin" / "scalora").string();
    const pid_t pid = session_.spawn({program}, dir_ / "scalora.log");
    ASSERT_GT(pid, 0);
    const test::CommandResult window =
        run({"xdotool", "search", "--sync", "--onlyvisible", "--name", "^Halvorn Scalora$"});
    ASSERT_EQ(window.status, 0) << test::readFile(dir_ / "scalora.log");
    const fs::path shot = dir_ / "installed.png";
    ASSERT_TRUE(session_.screenshot(shot));
    if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
        fs::copy_file(shot, fs::path(keep) / "installed.png", fs::copy_options::overwrite_existing);
    }
    // The first run centres its 400 x 500 window on the screen and paints its background and
    // the labels of its settings at the left of its lower half; around it is the bare root
    // window.
    PixelImage screen;
    ASSERT_TRUE(decodeImageFile(shot.string(), {}, screen));
    EXPECT_EQ(screen.pixel(5, 5) & 0xFFFFFF, 0u);
    EXPECT_EQ(screen.pixel(screen.width() / 2, screen.height() / 4 + 20) & 0xFFFFFF, 0xF0F0F0u);
    bool text = false;
    for (std::int32_t y = screen.height() / 2 + 60; y < screen.height() / 2 + 220; ++y) {
        for (std::int32_t x = screen.width() / 2 - 190; x < screen.width() / 2 - 130; ++x) {
            text = text || (screen.pixel(x, y) & 0xFF) < 0x60;
        }
    }
    EXPECT_TRUE(text) << "no settings labels in the lower half of the window";
    // A second start of the installed program steps aside for the first.
    EXPECT_EQ(run({program, (dir_ / "in").string()}).status, 255);
    // Ended as a session ends it; the program closes its window and saves its settings.
    ASSERT_EQ(::kill(pid, SIGTERM), 0);
    EXPECT_EQ(session_.wait(pid, 30s), 0) << test::readFile(dir_ / "scalora.log");
    EXPECT_TRUE(fs::is_regular_file(dir_ / "config" / "Halvorn Scalora" / "config.dat"));
}

} // namespace
} // namespace scalora
