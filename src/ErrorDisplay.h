// The default error display: an error that escapes a handler is shown in a message box and
// the program goes on. Every handler runs through RunHandler, so no exception reaches Qt.
#pragma once

#include <exception>
#include <functional>

namespace ErrorDisplay {

// Runs a handler. An error it raises is shown once the outermost handler has finished; an
// error raised by a handler that code started from inside another handler (a selection set
// by code) is kept for that code to take up with RethrowPending, so it ends the outer handler.
void RunHandler(const std::function<void()> &handler);

// Raises the error that a handler started by the caller's own code left behind, if any.
void RethrowPending();

// Shows the box for an error: stop icon, OK button, titled with the executable's name.
void Show(const std::exception_ptr &error);

} // namespace ErrorDisplay
