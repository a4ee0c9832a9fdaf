// scalora-batch when the world misbehaves during a run: killed outright, a destination that may
// not be written or goes away, a source swapped under it. Afterwards every file is the old one
// or a complete new one, and nothing else is there.
#include "platform/atomic_file.h"
#include "support/test_support.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <functional>
#include <grp.h>
#include <gtest/gtest.h>
#include <map>
#include <signal.h>
#include <string>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace scalora {
namespace {

namespace fs = std::filesystem;
using test::TempDir;

using namespace std::string_literals;

constexpr std::size_t kPhotos = 5;
constexpr fs::perms kReadOnly = fs::perms::owner_read | fs::perms::owner_exec |
                                fs::perms::group_read | fs::perms::group_exec |
                                fs::perms::others_read | fs::perms::others_exec;

// Root writes into read-only folders regardless, so a test about permissions runs the tool as
// an ordinary user when it runs as root itself.
enum class RunAs { Invoker, Unprivileged };
constexpr uid_t kNobody = 65534;

// The tool running in the background with its own settings folder; standard error is read as
// the run goes, so a test can act at a given line or kill it between images.
class ToolRun {
public:
    ToolRun(const std::vector<std::string>& args, const fs::path& configHome,
            RunAs as = RunAs::Invoker) {
        int pipeFds[2];
        if (::pipe(pipeFds) != 0) {
            return;
        }
        const std::string tool = (test::binDir() / "scalora-batch").string();
        // Built before the fork: the child only sets up its descriptors and runs the tool.
        std::vector<char*> argv(args.size() + 2, nullptr);
        argv[0] = const_cast<char*>(tool.c_str());
        std::transform(args.begin(), args.end(), argv.begin() + 1,
                       [](const std::string& arg) { return const_cast<char*>(arg.c_str()); });
        pid_ = ::fork();
        if (pid_ == 0) {
            ::dup2(pipeFds[1], STDERR_FILENO);
            const int devNull = ::open("/dev/null", O_WRONLY);
            ::dup2(devNull, STDOUT_FILENO);
            ::close(pipeFds[0]);
            ::setenv("XDG_CONFIG_HOME", configHome.c_str(), 1);
            ::unsetenv("DISPLAY");
            if (as == RunAs::Unprivileged && ::geteuid() == 0 &&
                (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
                 ::setuid(kNobody) != 0)) {
                ::_exit(126);
            }
            ::execv(tool.c_str(), argv.data());
            ::_exit(127);
        }
        ::close(pipeFds[1]);
        errorsFd_ = pipeFds[0];
    }
    ~ToolRun() {
        if (pid_ > 0) {
            ::kill(pid_, SIGKILL);
            static_cast<void>(finish());
        }
    }
    ToolRun(const ToolRun&) = delete;
    ToolRun& operator=(const ToolRun&) = delete;

    // Reads standard error until it shows text; false when the tool ended first.
    bool waitForText(const std::string& text) {
        while (errors_.find(text) == std::string::npos) {
            if (!readSome()) {
                return false;
            }
        }
        return true;
    }
    // Reads the rest and reaps the tool: its exit status, or 128 + the signal that ended it.
    int finish() {
        while (readSome()) {
        }
        int status = 0;
        ::waitpid(pid_, &status, 0);
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    }
    void kill() const { ::kill(pid_, SIGKILL); }
    // Without reaping it, so that finish() still gets the status.
    bool running() const {
        siginfo_t info{};
        return ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
               info.si_pid == 0;
    }
    const std::string& errors() const { return errors_; }

private:
    bool readSome() {
        char buffer[4096];
        const ssize_t got = errorsFd_ < 0 ? 0 : ::read(errorsFd_, buffer, sizeof buffer);
        if (got <= 0) {
            if (errorsFd_ >= 0) {
                ::close(errorsFd_);
                errorsFd_ = -1;
            }
            return false;
        }
        errors_.append(buffer, static_cast<std::size_t>(got));
        return true;
    }

    pid_t pid_ = -1;
    int errorsFd_ = -1;
    std::string errors_;
};

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Every name in the folder, hidden ones included, with its bytes.
std::map<std::string, std::string> folderContents(const fs::path& folder) {
    std::map<std::string, std::string> contents;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        contents[entry.path().filename().string()] =
            entry.is_regular_file() ? test::readFile(entry.path()) : "<not a file>";
    }
    return contents;
}

class BatchToolFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path corpus = test::sharedDir() / "corpus" / "jpeg";
        if (test::sharedDir().empty() || !fs::is_directory(corpus)) {
            GTEST_SKIP() << "no photo corpus at " << SCALORA_SHARED_DIR << "/corpus/jpeg";
        }
        std::vector<fs::path> photos;
        for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
            photos.push_back(entry.path());
        }
        std::sort(photos.begin(), photos.end());
        ASSERT_GE(photos.size(), kPhotos);
        fs::create_directories(dir_ / "in");
        fs::create_directories(dir_ / "config");
        for (std::size_t i = 0; i < kPhotos; ++i) {
            names_.push_back("photo" + std::to_string(i + 1) + ".jpg");
            sources_.push_back(photos[i]);
        }
        restoreSources();
        ToolRun reference(argsInto(dir_ / "reference"), dir_ / "config");
        ASSERT_EQ(reference.finish(), 0) << reference.errors();
        expected_ = folderContents(dir_ / "reference");
        ASSERT_EQ(expected_.size(), kPhotos);
    }
    void restoreSources() const {
        for (std::size_t i = 0; i < kPhotos; ++i) {
            fs::copy_file(sources_[i], in(names_[i]), fs::copy_options::overwrite_existing);
        }
    }
    // Every photo of the folder into dest, in order, two at a time.
    std::vector<std::string> argsInto(const fs::path& dest) const {
        std::vector<std::string> args{"--jobs", "2",           "--width", "400",
                                      "--dest", dest.string(), "--"};
        for (const std::string& name : names_) {
            args.push_back(in(name));
        }
        return args;
    }
    std::string in(const std::string& name) const { return (dir_ / "in" / name).string(); }

    TempDir dir_;
    std::vector<std::string> names_;              // photo1.jpg ... in the order given to the tool
    std::vector<fs::path> sources_;               // the photos they are copies of
    std::map<std::string, std::string> expected_; // each result of an undisturbed run
};

TEST_F(BatchToolFaultTest, KillNineLeavesOnlyCompleteResultsAndARerunFinishes) {
    // What the user keeps in the folder: never touched, whatever happens to the run. The last
    // has the form of a temporary but is not one of ours (five characters after the mark).
    const std::map<std::string, std::string> own{
        {"notes.txt", "mine"}, {".hidden", "also mine"}, {".draft.jpg.tmp-12345", "mine too"}};
    // Killed at the start, then once each result is in while later ones are under way (the
    // last two run side by side, so the kill stops before them to be sure it comes first).
    for (std::size_t killAt = 0; killAt + 1 < kPhotos; ++killAt) {
        SCOPED_TRACE("killed once " + std::to_string(killAt) + " results were in");
        const fs::path dest = dir_ / ("out" + std::to_string(killAt));
        fs::create_directories(dest);
        for (const auto& [name, bytes] : own) {
            ASSERT_TRUE(test::writeFile(dest / name, bytes));
        }
        {
            ToolRun run(argsInto(dest), dir_ / "config");
            // Polled, not timed: the kill lands as soon as the count is reached.
            while (folderContents(dest).size() < own.size() + killAt && run.running()) {
                std::this_thread::yield();
            }
            run.kill();
            EXPECT_EQ(run.finish(), 128 + SIGKILL) << "the run ended before the kill";
        }
        std::size_t results = 0;
        std::size_t strays = 0;
        for (const auto& [name, bytes] : folderContents(dest)) {
            if (own.contains(name)) {
                EXPECT_EQ(bytes, own.at(name)) << name;
            } else if (expected_.contains(name)) {
                EXPECT_EQ(bytes, expected_.at(name)) << name << " is not the complete result";
                ++results;
            } else {
                // Only the moment between naming a finished file and renaming it into place
                // can leave one of our temporaries; the next run clears it.
                EXPECT_TRUE(isTemporaryFileName(name)) << name << " should not be there";
                ++strays;
            }
        }
        EXPECT_GE(results, killAt);
        EXPECT_LT(results, kPhotos);
        EXPECT_LE(strays, 2U);

        // The rerun keeps what the killed one finished and writes the rest.
        ToolRun rerun(argsInto(dest), dir_ / "config");
        EXPECT_EQ(rerun.finish(), results == 0 ? 0 : 1) << rerun.errors();
        EXPECT_TRUE(contains(rerun.errors(), "Processed: " + std::to_string(kPhotos - results) +
                                                 ", skipped: " + std::to_string(results)))
            << rerun.errors();
        std::map<std::string, std::string> whole = expected_;
        whole.insert(own.begin(), own.end());
        EXPECT_EQ(folderContents(dest), whole);
    }
}

TEST_F(BatchToolFaultTest, DestinationAndSourceTroubleIsReportedPerImage) {
    // Each case spoils something before the run or once the first image is reported (one image
    // at a time, so the second may be under way then, the third not). The images from
    // `firstHit` on are skipped with a reason the user can act on; no stray file is left.
    struct Case {
        std::string name;
        std::function<void(const fs::path& dest)> before;
        std::function<void(const fs::path& dest)> midRun;
        std::size_t firstHit;
        std::function<std::string(const fs::path& result)> reason;
        RunAs as = RunAs::Invoker;
    };
    const auto missing = [](const fs::path&) { return "Destination folder does not exist"s; };
    const std::vector<Case> cases{
        {"no write permission",
         [](const fs::path& dest) { fs::permissions(dest, kReadOnly); },
         {},
         0,
         [](const fs::path& result) {
             return "Unable to write " + result.string() + ": Permission denied";
         },
         RunAs::Unprivileged},
        {"removed", {}, [](const fs::path& dest) { fs::remove_all(dest); }, 2, missing},
        {"renamed",
         {},
         [this](const fs::path& dest) { fs::rename(dest, dir_ / "moved"); },
         2,
         missing},
        {"sources replaced",
         {},
         [this](const fs::path&) {
             for (std::size_t i = 2; i < kPhotos; ++i) {
                 ASSERT_TRUE(test::writeFile(dir_ / "swap", "not a photo"));
                 fs::rename(dir_ / "swap", in(names_[i]));
             }
         },
         2,
         [](const fs::path&) { return "The file is not a readable image"s; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const fs::path dest = dir_ / "out";
        fs::create_directories(dest);
        if (c.before) {
            c.before(dest);
        }
        std::vector<std::string> args = argsInto(dest);
        args[1] = "1";
        ToolRun run(args, dir_ / "config", c.as);
        if (c.midRun) {
            ASSERT_TRUE(run.waitForText("[1/")) << run.errors();
            c.midRun(dest);
        }
        EXPECT_EQ(run.finish(), 1) << run.errors();
        for (std::size_t i = c.firstHit; i < kPhotos; ++i) {
            const std::string line =
                "skipped " + in(names_[i]) + ": " + c.reason(dest / names_[i]) + "\n";
            EXPECT_TRUE(contains(run.errors(), line)) << line << run.errors();
        }
        EXPECT_FALSE(contains(run.errors(), "Unknown error")) << run.errors();
        // Whatever was written is whole and where the destination is (or went).
        const fs::path landed = fs::exists(dir_ / "moved") ? dir_ / "moved" : dest;
        if (fs::exists(landed)) {
            for (const auto& [name, bytes] : folderContents(landed)) {
                EXPECT_EQ(bytes, expected_.at(name)) << name;
            }
            fs::remove_all(landed);
        }
        EXPECT_EQ(folderContents(dir_ / "in").size(), kPhotos);
        restoreSources();
    }
}

} // namespace
} // namespace scalora
