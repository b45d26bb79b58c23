// The skin markup reader: the input as UTF-8, as UTF-16 and as ANSI bytes, then a walk over
// every node and attribute.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "Core/SkinMarkup.h"

using namespace SkinUI;

namespace {

void Walk(const CSkinMarkupNode& first, size_t& visited) {
  // Depth-first without recursion, so deep documents cannot exhaust the stack here either.
  std::vector<CSkinMarkupNode> pending{first};
  while (!pending.empty() && visited < 100000) {
    CSkinMarkupNode node = pending.back();
    pending.pop_back();
    if (!node.IsValid()) continue;
    ++visited;
    volatile WCHAR sink = *node.GetName();
    const int count = node.GetAttributeCount();
    for (int i = 0; i <= count; ++i) sink = *node.GetAttributeName(i) ^ *node.GetAttributeValue(i);
    WCHAR buffer[8] = {};
    node.CopyAttributeValue(u"name", buffer, 7);
    (void)sink;
    pending.push_back(node.GetNextSibling());
    pending.push_back(node.GetFirstChild());
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<BYTE> bytes(data, data + size);
  size_t visited = 0;
  for (MarkupEncoding encoding :
       {MarkupEncoding::Utf8, MarkupEncoding::Utf16, MarkupEncoding::Ansi}) {
    std::vector<BYTE> copy = bytes;
    CSkinMarkup markup;
    if (markup.LoadBytes(copy.data(), static_cast<DWORD>(copy.size()), encoding))
      Walk(markup.GetRoot(), visited);
  }
  // UTF-16 text given directly, terminated.
  std::vector<WCHAR> text(size / 2 + 1, 0);
  for (size_t i = 0; i + 1 < size; i += 2)
    text[i / 2] = static_cast<WCHAR>(data[i] | (data[i + 1] << 8));
  CSkinMarkup markup;
  if (markup.LoadText(text.data())) Walk(markup.GetRoot(), visited);
  return 0;
}
