#pragma once

#include <utility>

namespace mhbk {

// Runs a page's load on its first showing and never again once it has succeeded. A load that
// throws is not counted: the exception goes on to the guarded runner, which reports it, and the
// next showing runs the load again (a database locked now may be free then).
class LoadOnce {
public:
    template <typename Load>
    void run(Load &&load)
    {
        if (done_)
            return;
        std::forward<Load>(load)();
        done_ = true;
    }

    bool done() const { return done_; }

private:
    bool done_ = false;
};

} // namespace mhbk
