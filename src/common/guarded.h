#pragma once

#include <functional>

namespace mhbk {

class Reporter;

// Runs an event handler; an error that escapes it goes to the general error report and the
// program goes on. Every handler the main window dispatches passes through here.
void runGuarded(Reporter &reporter, const std::function<void()> &handler);

} // namespace mhbk
