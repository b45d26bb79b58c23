#include "support/TestPrefix.h"

#include <cstdlib>

namespace TestSupport {

TestPrefix::TestPrefix() {
  if (const char* old = getenv("SKINUI_PREFIX")) m_previous = old;
  std::filesystem::create_directories(Scratch());
  setenv("SKINUI_PREFIX", Path().c_str(), 1);
}

TestPrefix::~TestPrefix() {
  if (m_previous)
    setenv("SKINUI_PREFIX", m_previous->c_str(), 1);
  else
    unsetenv("SKINUI_PREFIX");
}

}  // namespace TestSupport
