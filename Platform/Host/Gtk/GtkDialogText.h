#pragma once
// The words of the host's dialogs (buttons and the folder chooser's accept button) in the UI
// language of the calling thread (GetThreadUILanguage): Chinese when its primary language is
// Chinese, English otherwise. Labels carry GTK mnemonics ("_Yes", "是(_Y)").

namespace Platform {

struct DialogText {
  const char* ok;
  const char* cancel;
  const char* yes;
  const char* no;
  const char* abort;
  const char* retry;
  const char* ignore;
  const char* tryAgain;
  const char* next;  // "Continue"
  const char* selectFolder;
};

const DialogText& DialogTextForThread();

}  // namespace Platform
