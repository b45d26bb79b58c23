#include "support/TestPrefix.h"

#include <cstdlib>

#include "support/Environment.h"

namespace TestSupport {

TestPrefix::TestPrefix() {
  if (const char* old = getenv("SKINUI_PREFIX")) m_previous = old;
  std::filesystem::create_directories(Scratch());
  SetEnv("SKINUI_PREFIX", Path().string().c_str());
}

TestPrefix::~TestPrefix() { SetEnv("SKINUI_PREFIX", m_previous ? m_previous->c_str() : nullptr); }

}  // namespace TestSupport
