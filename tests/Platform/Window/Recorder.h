#pragma once
// A window class for tests: records every message its windows receive and lets a test answer
// chosen messages itself.

#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "Platform/Host/Headless/Headless.h"
#include "Platform/Win32.h"

namespace WindowTest {

// How a message reached the window procedure: sent (a direct call, SendMessageW or a call
// made inside the platform), posted (retrieved from the queue by Recorder::Pump and
// dispatched), or sent by the default procedure while it handled another message.
enum class Via { Sent, Posted, Default };

struct Seen {
  HWND hwnd;
  UINT msg;
  WPARAM wParam;
  LPARAM lParam;
  Via via = Via::Sent;
};

// One row of a message table: the window by its name, the message and how it came.
struct Step {
  const char* window;
  UINT msg;
  Via via;
};

// One expected message: the window by its name in the test, the message, and optionally the
// parameters.
struct Expect {
  const char* window;
  UINT msg;
  std::optional<WPARAM> wParam = std::nullopt;
  std::optional<LPARAM> lParam = std::nullopt;
};

using Answer = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

class Recorder {
 public:
  Recorder();
  ~Recorder();
  static Recorder& Current();

  // Creates a window of the recording class.
  HWND Create(const char* name, DWORD style, HWND parent = nullptr, DWORD exStyle = 0,
              RECT rect = {10, 20, 210, 170});
  void Name(const char* name, HWND hwnd) { m_names[hwnd] = name; }
  void SetAnswer(Answer answer) { m_answer = std::move(answer); }

  // Only messages in the list are kept (empty: all).
  void Only(std::vector<UINT> messages) { m_only = std::move(messages); }
  void Clear();
  std::vector<Seen> Messages();
  // The recorded messages in the table's terms, for readable failures.
  std::string Describe();
  // True when the recorded messages are exactly the expected ones.
  bool Matches(const std::vector<Expect>& expected);
  // True when the recorded messages are exactly the table's, each come the way it says.
  bool MatchesTable(const std::vector<Step>& table);
  // The recorded messages as a table, for readable failures: "A:WM_SIZE(def) ...".
  std::string DescribeTable();
  // Dispatches the calling thread's queued messages as RunUntilIdle does, telling the
  // recorder which messages came from the queue. False when WM_QUIT came.
  static bool Pump();

  static LPCWSTR ClassName();
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  std::mutex m_lock;
  std::vector<Seen> m_seen;
  std::vector<UINT> m_only;
  std::map<HWND, std::string> m_names;
  Answer m_answer;
};

const char16_t* MessageName(UINT msg);

}  // namespace WindowTest
