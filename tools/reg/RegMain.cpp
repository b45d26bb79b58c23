// skinui-reg: the registry of the prefix (SKINUI_PREFIX or the default one) from the command line.
#include <vector>

#include "Console.h"
#include "RegCommands.h"

namespace {

const char16_t kUsage[] =
    u"usage: skinui-reg query  KEY [/v NAME | /ve] [/s] [/reg:32 | /reg:64]\n"
    u"       skinui-reg add    KEY [/v NAME | /ve] [/t TYPE] [/s SEPARATOR] [/d DATA] [/f]\n"
    u"       skinui-reg delete KEY [/v NAME | /ve | /va] [/f]\n"
    u"KEY is HKCU\\... or HKLM\\... (or HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE); TYPE is one of\n"
    u"REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ, REG_DWORD, REG_QWORD, REG_BINARY, REG_NONE.";

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::u16string> args;
  for (int i = 1; i < argc; ++i) args.push_back(RegTool::Widen(argv[i]));
  if (args.empty() || args[0] == u"/?" || args[0] == u"-h" || args[0] == u"--help") {
    RegTool::PrintLine(kUsage);
    return args.empty() ? 1 : 0;
  }
  RegTool::RegRequest request;
  std::u16string error;
  if (!RegTool::ParseRequest(args, &request, &error)) {
    RegTool::PrintError(error);
    RegTool::PrintError(kUsage);
    return 1;
  }
  switch (request.verb) {
    case RegTool::Verb::Query: return RegTool::RunQuery(request);
    case RegTool::Verb::Add: return RegTool::RunAdd(request);
    case RegTool::Verb::Delete: return RegTool::RunDelete(request);
  }
  return 1;
}
