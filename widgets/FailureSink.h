// Where a failure that escapes an event handler goes: the message loop and
// the window procedures catch it and hand it on here. The application installs
// its failure report; a test may install its own. With none installed the
// failure is dropped.
#pragma once

#include <exception>
#include <functional>

using TFailureSink = std::function<void(const std::exception_ptr& failure)>;

// Installs sink (an empty one drops failures) and returns the one it replaces.
TFailureSink SetFailureSink(TFailureSink sink);

// Hands failure to the installed sink; a sink that fails itself has nobody left
// to report to, so nothing escapes.
void HandleException(const std::exception_ptr& failure) noexcept;
