#include "common/loadonce.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace mhbk {
namespace {

// One showing of a page: whether its load throws this time.
enum class Outcome { Succeeds, Throws };

struct Showings {
    const char *name;
    std::vector<Outcome> loads; // the outcome of each load actually run, in order
    int showings;
    int expectedRuns;
    int expectedRethrown;
    bool expectedDone;
};

void PrintTo(const Showings &showings, std::ostream *os) { *os << showings.name; }

class LoadOnceShowings : public ::testing::TestWithParam<Showings> {};

// The load runs on each showing until one returns normally and never after; every throw reaches
// the caller (the guarded runner) and leaves the load to run again.
TEST_P(LoadOnceShowings, RunsUntilALoadSucceedsAndRethrowsFailures)
{
    const Showings &c = GetParam();
    LoadOnce once;
    int runs = 0;
    int rethrown = 0;
    for (int s = 0; s < c.showings; ++s) {
        try {
            once.run([&] {
                if (c.loads.at(static_cast<std::size_t>(runs++)) == Outcome::Throws)
                    throw std::runtime_error("database is locked");
            });
        } catch (const std::runtime_error &) {
            ++rethrown;
        }
    }
    EXPECT_EQ(runs, c.expectedRuns);
    EXPECT_EQ(rethrown, c.expectedRethrown);
    EXPECT_EQ(once.done(), c.expectedDone);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LoadOnceShowings,
    ::testing::Values(Showings{"NeverShown", {}, 0, 0, 0, false},
                      Showings{"DoneAfterASuccess", {Outcome::Succeeds}, 1, 1, 0, true},
                      Showings{"NotRunAgainAfterASuccess", {Outcome::Succeeds}, 4, 1, 0, true},
                      Showings{"NotDoneAfterAThrow", {Outcome::Throws}, 1, 1, 1, false},
                      Showings{"RetriedAfterAThrow", {Outcome::Throws, Outcome::Succeeds}, 3, 2, 1, true},
                      Showings{"RetriedAfterEachThrow",
                               {Outcome::Throws, Outcome::Throws, Outcome::Succeeds},
                               5,
                               3,
                               2,
                               true}),
    [](const ::testing::TestParamInfo<Showings> &info) { return info.param.name; });

} // namespace
} // namespace mhbk
