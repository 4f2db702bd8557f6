#pragma once

#include <QObject>
#include <functional>
#include <tuple>
#include <utility>

namespace mhbk {

class Reporter;

// Runs an event handler; an error that escapes it goes to the general error report and the
// program goes on. Every handler passes through here: an exception must never leave a slot,
// an event filter or an event override, since Qt cannot unwind through its event loop.
void runGuarded(Reporter &reporter, const std::function<void()> &handler);

namespace detail {

// Calls `handler` with as many leading signal arguments as it takes, as Qt does for slots.
template <typename Handler, typename Args, std::size_t N = std::tuple_size_v<Args>>
void callWithLeading(Handler &handler, Args &args)
{
    constexpr bool fits = []<std::size_t... I>(std::index_sequence<I...>) {
        return std::is_invocable_v<Handler &, std::tuple_element_t<I, Args>...>;
    }(std::make_index_sequence<N>{});
    if constexpr (fits) {
        [&]<std::size_t... I>(std::index_sequence<I...>) { std::invoke(handler, std::get<I>(args)...); }(
            std::make_index_sequence<N>{});
    } else {
        static_assert(N > 0, "the handler takes none of the signal's arguments");
        callWithLeading<Handler, Args, N - 1>(handler, args);
    }
}

} // namespace detail

// Connects a signal to a handler that runs through runGuarded. `context` ends the connection
// when it is destroyed, as with QObject::connect; the reporter must outlive it.
template <typename Sender, typename Signal, typename Handler>
QMetaObject::Connection connectGuarded(const Sender *sender, Signal signal, const QObject *context,
                                       Reporter &reporter, Handler handler)
{
    return QObject::connect(sender, signal, context, [&reporter, handler = std::move(handler)](const auto &...args) mutable {
        auto values = std::forward_as_tuple(args...);
        runGuarded(reporter, [&] { detail::callWithLeading(handler, values); });
    });
}

} // namespace mhbk
