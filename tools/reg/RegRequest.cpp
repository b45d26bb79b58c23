#include "RegRequest.h"

#include "RegValueData.h"

namespace RegTool {

namespace {

std::u16string Upper(std::u16string text) {
  for (char16_t& c : text)
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - 32);
  return text;
}

bool ParseKey(const std::u16string& key, RegRequest* request, std::u16string* error) {
  size_t slash = key.find(u'\\');
  std::u16string root = Upper(key.substr(0, slash));
  if (root == u"HKCU" || root == u"HKEY_CURRENT_USER") {
    request->root = HKEY_CURRENT_USER;
    request->rootName = u"HKEY_CURRENT_USER";
  } else if (root == u"HKLM" || root == u"HKEY_LOCAL_MACHINE") {
    request->root = HKEY_LOCAL_MACHINE;
    request->rootName = u"HKEY_LOCAL_MACHINE";
  } else {
    *error = u"ERROR: Invalid key name.";
    return false;
  }
  request->subkey = slash == std::u16string::npos ? u"" : key.substr(slash + 1);
  while (!request->subkey.empty() && request->subkey.back() == u'\\') request->subkey.pop_back();
  return true;
}

bool ParseVerb(const std::u16string& word, Verb* verb) {
  std::u16string upper = Upper(word);
  if (upper == u"QUERY")
    *verb = Verb::Query;
  else if (upper == u"ADD")
    *verb = Verb::Add;
  else if (upper == u"DELETE")
    *verb = Verb::Delete;
  else
    return false;
  return true;
}

// One option (and its argument, when it takes one) at args[*i].
bool ParseOption(const std::vector<std::u16string>& args, size_t* i, RegRequest* r) {
  const std::u16string& arg = args[*i];
  if (arg.size() < 2 || (arg[0] != u'/' && arg[0] != u'-')) return false;
  std::u16string name = Upper(arg.substr(1));
  bool hasNext = *i + 1 < args.size();
  auto next = [&]() -> const std::u16string& { return args[++*i]; };
  if (name == u"V" && hasNext && !r->oneValue) {
    r->oneValue = true;
    r->valueName = next();
  } else if (name == u"VE" && !r->oneValue) {
    r->oneValue = true;
  } else if (name == u"VA" && r->verb == Verb::Delete) {
    r->allValues = true;
  } else if (name == u"S" && r->verb == Verb::Query) {
    r->recurse = true;
  } else if (name == u"S" && r->verb == Verb::Add && hasNext) {
    const std::u16string& sep = next();
    if (sep.size() != 1) return false;
    r->separator = sep[0];
  } else if (name == u"T" && r->verb == Verb::Add && hasNext) {
    if (!ParseTypeName(next(), &r->type)) return false;
  } else if (name == u"D" && r->verb == Verb::Add && hasNext && !r->hasData) {
    r->hasData = true;
    r->data = next();
  } else if (name == u"F" && r->verb != Verb::Query) {
    r->force = true;
  } else if ((name == u"REG:32" || name == u"REG:64") && !r->view) {
    r->view = name == u"REG:32" ? KEY_WOW64_32KEY : KEY_WOW64_64KEY;
  } else {
    return false;
  }
  return true;
}

}  // namespace

bool ParseRequest(const std::vector<std::u16string>& args, RegRequest* request,
                  std::u16string* error) {
  *error = u"ERROR: Invalid syntax.";
  if (args.size() < 2 || !ParseVerb(args[0], &request->verb)) return false;
  if (!ParseKey(args[1], request, error)) return false;
  for (size_t i = 2; i < args.size(); ++i) {
    if (!ParseOption(args, &i, request)) {
      *error = u"ERROR: Invalid syntax near \"" + args[i] + u"\".";
      return false;
    }
  }
  if (request->allValues && request->oneValue) return false;
  return true;
}

}  // namespace RegTool
