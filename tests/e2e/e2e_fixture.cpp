#include "e2e_fixture.h"

#include <cstdlib>
#include <sstream>
#include <thread>

namespace scalora::test {

using namespace std::chrono_literals;

std::map<std::string, Box> elementBoxes(const std::vector<std::string>& lines) {
    std::map<std::string, Box> boxes;
    for (const std::string& line : linesStartingWith(lines, "element ")) {
        std::istringstream in(line);
        std::string word, name;
        Box b;
        if (in >> word >> name >> b.x >> b.y >> b.width >> b.height) {
            boxes[name] = b;
        }
    }
    return boxes;
}

void XvfbTest::startSession(const std::vector<std::string>& tools) {
    if (const std::string missing = XvfbSession::missingTool(tools); !missing.empty()) {
        GTEST_SKIP() << missing << " is not installed";
    }
    ASSERT_TRUE(session_.start()) << session_.error();
}

bool XvfbTest::keepScreenshot(const std::string& name) {
    const std::filesystem::path shot = dir_ / name;
    if (!session_.screenshot(shot)) {
        return false;
    }
    if (const char* keep = std::getenv("SCALORA_KEEP_PNG")) {
        std::error_code error;
        std::filesystem::copy_file(shot, std::filesystem::path(keep) / name,
                                   std::filesystem::copy_options::overwrite_existing, error);
        return !error;
    }
    return true;
}

void SandboxTest::SetUp() {
    startSession(tools_);
    if (stopped()) {
        return;
    }
    std::vector<std::string> argv{(binDir() / "ui-sandbox").string(), "--log", log_.string()};
    argv.insert(argv.end(), arguments_.begin(), arguments_.end());
    sandbox_ = session_.spawn(argv, dir_ / "sandbox.out");
    ASSERT_GT(sandbox_, 0);
    ASSERT_TRUE(waitForLine(log_, readyLine_, 30s))
        << "the sandbox did not start: " << readFile(dir_ / "sandbox.out");
    boxes_ = elementBoxes(readLines(log_));
}

int XvfbTest::xdotool(const std::vector<std::string>& args) {
    std::vector<std::string> argv{"xdotool"};
    argv.insert(argv.end(), args.begin(), args.end());
    const auto end = std::chrono::steady_clock::now() + 20s;
    int status = -1;
    while (std::chrono::steady_clock::now() < end) {
        status = session_.run(argv, 20s).status;
        if (status == 0) {
            break;
        }
        std::this_thread::sleep_for(50ms);
    }
    return status;
}

} // namespace scalora::test
