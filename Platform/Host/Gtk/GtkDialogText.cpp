#include "Platform/Host/Gtk/GtkDialogText.h"

#include "Platform/Win32.h"

namespace Platform {

const DialogText& DialogTextForThread() {
  static const DialogText kEnglish = {"_OK",    "_Cancel", "_Yes",       "_No",       "_Abort",
                                      "_Retry", "_Ignore", "_Try Again", "_Continue", "_Select"};
  static const DialogText kChinese = {"确定",     "取消",     "是(_Y)",   "否(_N)",   "中止(_A)",
                                      "重试(_R)", "忽略(_I)", "重试(_T)", "继续(_C)", "选择文件夹"};
  return PRIMARYLANGID(GetThreadUILanguage()) == LANG_CHINESE ? kChinese : kEnglish;
}

}  // namespace Platform
