#pragma once
// The one way the program ends at once: no windows closed, nothing saved.

#include <functional>

// Returns only while a test hook is installed; callers return right after it.
void ProgramiSonlandir(int exitCode = 0);

// Test seam: the hook runs instead of ending the process.
void SetSonlandirHook(std::function<void(int exitCode)> hook);
