#include "app/sonlandir.h"

#include <cstdio>
#include <cstdlib>

namespace {
std::function<void(int)> &hook()
{
  static std::function<void(int)> h;
  return h;
}
} // namespace

void ProgramiSonlandir(int exitCode)
{
  if (hook()) {
    hook()(exitCode);
    return;
  }
  std::fflush(nullptr);
  std::_Exit(exitCode);
}

void SetSonlandirHook(std::function<void(int)> h)
{
  hook() = std::move(h);
}
