#pragma once
// Starting a program without waiting for it.

#include <string>
#include <sys/types.h>

namespace melvanto {

// Starts the program (looked up in PATH) with one argument, no shell, and returns its
// process id, or -1 when it could not be started. A background thread waits for the
// child, so the caller never blocks and no zombie remains.
pid_t SpawnDetached(const std::string& program, const std::string& argument);

} // namespace melvanto
