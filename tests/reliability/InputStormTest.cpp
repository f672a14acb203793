// The input storm: the real program on the headless screen gets a long
// seeded random stream of user input, and after every action the storm
// checks what must always hold (StormInvariants.h).
//
// Some actions come while the program waits in Detect Hardware; they are
// taken when the wait is over, as input given during a blocking wait is.
//
// Actions that end the program (Escape, Close, Alt+F4, the close box, ...)
// are part of the stream: the run is checked to have ended cleanly (status
// 0, no window, menu, font or device context left) and the program is
// started again, the stream going on where it was. When the stream is
// spent, Escape is pressed until the program ends: from any state it
// reaches, a few Escapes close the boxes and menus and then the program.
//
//   QV_STORM_SEED=<n>     replays the stream of a reported seed
//   QV_STORM_ACTIONS=<n>  the number of actions (default 20000)
#include "tests/reliability/StormInput.h"
#include "tests/reliability/StormInvariants.h"
#include "tests/reliability/StormWindows.h"
#include "tests/support/HeadlessProgram.h"

#include "platform/framework/FrameworkState.h"

#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <deque>
#include <random>
#include <set>
#include <sstream>

namespace {

constexpr std::size_t kDefaultActions = 20000;
// Escapes needed from the deepest state: menu, help failure box, Warning or
// About box, recorder; a few more for a keyboard move or a menu reopened.
constexpr int kMaxFinalEscapes = 8;
constexpr std::size_t kRecentActionsShown = 30;

std::uint64_t stormSeed() {
    if (const char* given = std::getenv("QV_STORM_SEED")) return std::strtoull(given, nullptr, 10);
    std::random_device device;
    return (static_cast<std::uint64_t>(device()) << 32) ^ device();
}

std::size_t stormActions() {
    if (const char* given = std::getenv("QV_STORM_ACTIONS")) return std::strtoull(given, nullptr, 10);
    return kDefaultActions;
}

class Storm {
public:
    Storm(std::uint64_t seed, std::size_t actions) : seed_(seed), actions_(actions), random_(seed) {}

    bool finished() const { return failed_ || actionsDone_ >= actions_; }

    // Runs the program once, from its start to its end.
    void runProgram() {
        HeadlessProgram program;
        storm::StormInput input(random_, program.screen());
        checker_.startRun();
        int finalEscapes = 0;
        program.options().onExit = [&](windowing::WindowSystem& system) { checkLeftovers(system); };
        program.options().onStart = [&](windowing::WindowSystem& system) {
            auto forget = system.destroyHook;
            system.destroyHook = [this, forget](HWND hwnd) {
                checker_.windowDestroyed(hwnd);
                if (forget) forget(hwnd);
            };
        };

        std::function<void()> step = [&] {
            storm::SeenWindows seen = storm::lookAtWindows();
            reached_.insert(seen.roles());
            if (!failed_) {
                std::vector<std::string> faults = checker_.check(seen, program.screen());
                if (!faults.empty()) report(faults, seen);
            }
            if (finished()) {
                // Wind down: Escape until the program ends.
                if (++finalEscapes > kMaxFinalEscapes) {
                    ADD_FAILURE() << kMaxFinalEscapes << " Escapes did not end the program; windows: " << seen.describe()
                                  << replayHint();
                    return;  // the script runs out: the run fails and ends
                }
                program.key(VK_ESCAPE);
                remember("final Escape");
                program.then(step);
                return;
            }
            remember(input.next(seen));
            ++actionsDone_;
            program.then(step);
        };
        // Input given while the program waits in Detect Hardware: it arrives
        // in the queue during the wait and is taken afterwards.
        program.screen().onSleep([&](std::uint32_t) {
            if (finished()) return;
            storm::SeenWindows seen = storm::lookAtWindows();
            for (int n = std::uniform_int_distribution<int>(0, 2)(random_); n > 0; --n) {
                remember("during the wait: " + input.next(seen));
                ++actionsDone_;
            }
        });
        program.then(step);
        int status = program.run();
        events_ += input.eventsQueued() + 2 * static_cast<std::size_t>(finalEscapes);
        ++runs_;
        if (status != 0) {
            ADD_FAILURE() << "run " << runs_ << " ended with status " << status << replayHint();
            failed_ = true;
        }
        if (program.screen().surfaceCount() != 0) {
            ADD_FAILURE() << "run " << runs_ << " left " << program.screen().surfaceCount() << " native windows"
                          << replayHint();
            failed_ = true;
        }
    }

    std::size_t actionsDone() const { return actionsDone_; }
    std::size_t events() const { return events_; }
    int runs() const { return runs_; }
    const std::set<std::vector<storm::WindowRole>>& reached() const { return reached_; }

private:
    void remember(std::string action) {
        recent_.push_back(std::to_string(actionsDone_) + ": " + std::move(action));
        if (recent_.size() > kRecentActionsShown) recent_.pop_front();
    }

    std::string replayHint() const {
        std::ostringstream out;
        out << "\n(seed " << seed_ << ", action " << actionsDone_ << "; replay with QV_STORM_SEED=" << seed_
            << " QV_STORM_ACTIONS=" << actions_ << ")\nlast actions:";
        for (const std::string& a : recent_) out << "\n  " << a;
        return out.str();
    }

    void report(const std::vector<std::string>& faults, const storm::SeenWindows& seen) {
        std::ostringstream out;
        out << "after action " << actionsDone_ << ", with " << seen.describe() << ":";
        for (const std::string& f : faults) out << "\n  " << f;
        ADD_FAILURE() << out.str() << replayHint();
        failed_ = true;
    }

    // What the program leaves when its application object has finished:
    // nothing but the shared icons, which live as long as the window system.
    void checkLeftovers(windowing::WindowSystem& system) {
        std::vector<std::string> left;
        if (!system.topLevelWindows().empty())
            left.push_back(std::to_string(system.topLevelWindows().size()) + " windows");
        if (system.menus.size()) left.push_back(std::to_string(system.menus.size()) + " menus");
        if (system.fonts.size()) left.push_back(std::to_string(system.fonts.size()) + " fonts");
        if (system.dcs.size()) left.push_back(std::to_string(system.dcs.size()) + " device contexts");
        if (!afxState().permanentWindows.empty()) left.push_back("window objects of the class library");
        if (!system.posted.empty()) left.push_back(std::to_string(system.posted.size()) + " posted messages");
        if (left.empty()) return;
        std::string list;
        for (const std::string& l : left) list += (list.empty() ? "" : ", ") + l;
        ADD_FAILURE() << "run " << runs_ + 1 << " ended leaving " << list << replayHint();
        failed_ = true;
    }

    std::uint64_t seed_;
    std::size_t actions_;
    std::mt19937_64 random_;
    storm::StormChecker checker_;
    std::size_t actionsDone_ = 0;
    std::size_t events_ = 0;
    int runs_ = 0;
    bool failed_ = false;
    std::deque<std::string> recent_;
    std::set<std::vector<storm::WindowRole>> reached_;
};

std::string setText(const std::vector<storm::WindowRole>& roles) {
    std::string s;
    for (storm::WindowRole r : roles) s += std::string(s.empty() ? "" : "+") + storm::roleName(r);
    return s;
}

}  // namespace

TEST(InputStorm, RandomInputKeepsEveryInvariantAndTheProgramEndsCleanly) {
    const std::uint64_t seed = stormSeed();
    const std::size_t actions = stormActions();
    std::printf("input storm: seed %" PRIu64 ", %zu actions (replay with QV_STORM_SEED=%" PRIu64 ")\n", seed, actions,
                seed);
    std::fflush(stdout);
    RecordProperty("seed", std::to_string(seed));

    std::clock_t cpuStart = std::clock();
    Storm storm(seed, actions);
    do storm.runProgram();
    while (!storm.finished());
    double cpuSeconds = static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC;

    std::printf("input storm: %zu actions, %zu input events, %d program runs, %zu of %zu window combinations reached, "
                "%.1f s CPU\n",
                storm.actionsDone(), storm.events(), storm.runs(), storm.reached().size(),
                storm::kAllowedWindowSets.size(), cpuSeconds);
    for (const auto& set : storm.reached()) std::printf("  reached %s\n", setText(set).c_str());

    // The stream must have reached the states it is meant to stress.
    using R = storm::WindowRole;
    if (storm.actionsDone() >= kDefaultActions) {
        for (std::vector<R> set : {std::vector<R>{R::Recorder}, {R::Recorder, R::About}, {R::Recorder, R::Warning},
                                   {R::Recorder, R::HelpFailed}, {R::Recorder, R::PopupMenu}})
            EXPECT_TRUE(storm.reached().count(set)) << "the storm never reached " << setText(set);
    }
}
