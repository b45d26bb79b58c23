#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/SkinMarkup.h"
#include "support/TestData.h"
#include "support/WideString.h"

using namespace SkinUI;

namespace {

WString Str(LPCTSTR text) { return text ? WString(text) : TEXT("<null>"); }

// The children of a node as "name[attribute=value,...]" lines, recursively indented.
WString Dump(const CSkinMarkupNode& node, int depth = 0) {
  WString out;
  for (CSkinMarkupNode n = node; n.IsValid(); n = n.GetNextSibling()) {
    out += WString(static_cast<size_t>(depth) * 2, TEXT(' ')) + n.GetName();
    if (n.HasAttributes()) {
      out += TEXT("[");
      for (int i = 0; i < n.GetAttributeCount(); ++i) {
        if (i) out += TEXT(",");
        out += Str(n.GetAttributeName(i)) + TEXT("=") + Str(n.GetAttributeValue(i));
      }
      out += TEXT("]");
    }
    out += TEXT("\n");
    if (n.HasChildren()) out += Dump(n.GetFirstChild(), depth + 1);
  }
  return out;
}

WString Parse(const WString& text) {
  CSkinMarkup markup;
  if (!markup.LoadText(text.c_str())) return TEXT("error: ") + Str(markup.GetLastErrorMessage());
  return Dump(markup.GetRoot());
}

std::vector<BYTE> Bytes(const std::string& text) {
  return std::vector<BYTE>(text.begin(), text.end());
}

TEST(SkinMarkup, BuildsTheElementTree) {
  EXPECT_EQ(
      Parse(TEXT("<Window size=\"518,345\" caption=\"0,0,0,70\">\n")
                TEXT("  <Font name=\"DejaVu Sans\" size=\"12\"/>\n") TEXT("  <VerticalLayout>\n")
                    TEXT("    <Edit name=\"edit_path\" />\n") TEXT("    <Button/>\n")
                        TEXT("    <Label text=\"Halvane\u5b89\u88c5\">\u6587\u5b57</Label>\n")
                            TEXT("  </VerticalLayout>\n") TEXT("</Window>\n")),
      TEXT("Window[size=518,345,caption=0,0,0,70]\n") TEXT("  Font[name=DejaVu Sans,size=12]\n")
          TEXT("  VerticalLayout\n") TEXT("    Edit[name=edit_path]\n") TEXT("    Button\n")
              TEXT("    Label[text=Halvane\u5b89\u88c5]\n"));
}

TEST(SkinMarkup, DeclarationAndCommentsBeforeTheRootAreSkipped) {
  EXPECT_EQ(Parse(TEXT("<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n")
                      TEXT("<!-- a comment -->\n<!-- another <Window> -->\n")
                          TEXT("<Window><!-- inside --><Label/></Window>")),
            TEXT("Window\n  Label\n"));
}

TEST(SkinMarkup, EmptyElementForms) {
  EXPECT_EQ(Parse(TEXT("<R><Font name=\"x\"/><Font name=\"x\" /><Font/><Font  ></Font><B/></R>")),
            TEXT("R\n  Font[name=x]\n  Font[name=x]\n  Font\n  Font\n  B\n"));
}

TEST(SkinMarkup, AttributeSyntax) {
  EXPECT_EQ(Parse(TEXT("<a b = \"1\"\tc\n=\n\"2\" d=\"\"/>")), TEXT("a[b=1,c=2,d=]\n"));
  EXPECT_EQ(Parse(TEXT("<a b=\"1\"c=\"2\"/>")), TEXT("a[b=1,c=2]\n"));
  EXPECT_EQ(Parse(TEXT("<a x:y=\"1\" _z=\"2\" \u540d=\"\u503c\"/>")),
            TEXT("a[x:y=1,_z=2,\u540d=\u503c]\n"));
  // An emoji (a surrogate pair) inside a value stays as it is.
  EXPECT_EQ(Parse(TEXT("<a v=\"x\U0001F600y\"/>")), TEXT("a[v=x\U0001F600y]\n"));
}

TEST(SkinMarkup, EntitiesAreDecodedInPlace) {
  EXPECT_EQ(
      Parse(TEXT(
          "<a v=\"a &amp;&lt;b&gt; &quot;c&quot; &apos;d&apos; &#65; &x\" w=\"&amp;&amp;\"/>")),
      TEXT("a[v=a &<b> \"c\" 'd' &#65; &x,w=&&]\n"));
  EXPECT_EQ(Parse(TEXT("<a v=\"&AMP;&amp &lt\"/>")), TEXT("a[v=&AMP;&amp &lt]\n"));
  EXPECT_EQ(Parse(TEXT("<a v=\"&\"/>")), TEXT("a[v=&]\n"));
  EXPECT_EQ(Parse(TEXT("<a v=\"  two  spaces  \"/>")), TEXT("a[v=  two  spaces  ]\n"));
}

TEST(SkinMarkup, ElementTextNeverLooksLikeAnAttribute) {
  EXPECT_EQ(Parse(TEXT("<a b=\"1\">\"x\" y=\"2\"</a>")), TEXT("a[b=1]\n"));
  EXPECT_EQ(Parse(TEXT("<r><a b=\"1\">&amp;\"x\"<c d=\"2\"/></a></r>")),
            TEXT("r\n  a[b=1]\n    c[d=2]\n"));
  EXPECT_EQ(Parse(TEXT("<a b=\"&amp;\" >t</a>")), TEXT("a[b=&]\n"));
}

TEST(SkinMarkup, AtMost64AttributesAreVisible) {
  WString text = TEXT("<a");
  for (int i = 0; i < 65; ++i) {
    std::string n = std::to_string(i);
    text += TEXT(" n") + WString(n.begin(), n.end()) + TEXT("=\"v") + WString(n.begin(), n.end()) +
            TEXT("\"");
  }
  text += TEXT("/>");
  CSkinMarkup markup;
  ASSERT_TRUE(markup.LoadText(text.c_str()));
  CSkinMarkupNode root = markup.GetRoot();
  ASSERT_EQ(64, root.GetAttributeCount());
  EXPECT_EQ(TEXT("n63"), Str(root.GetAttributeName(63)));
  EXPECT_EQ(TEXT("v63"), Str(root.GetAttributeValue(63)));
  EXPECT_EQ(TEXT(""), Str(root.GetAttributeName(64)));
  EXPECT_EQ(TEXT(""), Str(root.GetAttributeValue(64)));
  EXPECT_EQ(TEXT(""), Str(root.GetAttributeValue(-1)));
  WCHAR buffer[8] = {};
  EXPECT_FALSE(root.CopyAttributeValue(TEXT("n64"), buffer, 7));
}

TEST(SkinMarkup, CopyAttributeValueMatchesExactlyAndBoundsTheCopy) {
  CSkinMarkup markup(TEXT("<Include name=\"first\" source=\"abcdef\" name=\"second\"/>"));
  CSkinMarkupNode node = markup.GetRoot();
  WCHAR buffer[10];
  std::fill(std::begin(buffer), std::end(buffer), TEXT('Z'));
  EXPECT_FALSE(node.CopyAttributeValue(TEXT("Name"), buffer, 9));
  EXPECT_FALSE(node.CopyAttributeValue(TEXT("nam"), buffer, 9));
  EXPECT_EQ(TEXT('Z'), buffer[0]);
  ASSERT_TRUE(node.CopyAttributeValue(TEXT("name"), buffer, 9));
  EXPECT_EQ(TEXT("first"), Str(buffer));
  std::fill(std::begin(buffer), std::end(buffer), TEXT('Z'));
  ASSERT_TRUE(node.CopyAttributeValue(TEXT("source"), buffer, 3));
  EXPECT_EQ(TEXT("abcZZZZZZZ"), WString(buffer, 10));  // no terminator when cut
  std::fill(std::begin(buffer), std::end(buffer), TEXT('Z'));
  ASSERT_TRUE(node.CopyAttributeValue(TEXT("source"), buffer, 6));
  EXPECT_EQ(TEXT("abcdefZZZZ"), WString(buffer, 10));
  ASSERT_TRUE(node.CopyAttributeValue(TEXT("source"), buffer, 7));
  EXPECT_EQ(TEXT("abcdef"), Str(buffer));
}

struct ParseFailure {
  const WCHAR* text;
  const WCHAR* message;
  const WCHAR* location;
};

class ParseFailures : public ::testing::TestWithParam<ParseFailure> {};

TEST_P(ParseFailures, ReportMessageAndLocation) {
  const ParseFailure& c = GetParam();
  CSkinMarkup markup;
  EXPECT_FALSE(markup.LoadText(c.text));
  EXPECT_EQ(Str(c.message), Str(markup.GetLastErrorMessage()));
  EXPECT_EQ(Str(c.location), Str(markup.GetLastErrorLocation()));
  EXPECT_FALSE(markup.GetRoot().IsValid());
}

INSTANTIATE_TEST_SUITE_P(
    SkinMarkup, ParseFailures,
    ::testing::Values(
        ParseFailure{TEXT("<a>text<b/>more</a>"), TEXT("Expected start tag"), TEXT("more</a>")},
        ParseFailure{TEXT("text<a/>"), TEXT("Expected start tag"), TEXT("text<a/>")},
        ParseFailure{TEXT("<Window><a><b/>"), TEXT("Expected start tag"), TEXT("")},
        ParseFailure{TEXT("<a/><b><c/>"), TEXT("Expected start tag"), TEXT("")},
        ParseFailure{TEXT("<Window><a><b>text"), TEXT("Expected end-tag start"), TEXT("")},
        ParseFailure{TEXT("<a></b>"), TEXT("Unmatched closing tag"), TEXT("b>")},
        ParseFailure{TEXT("<ab></a>"), TEXT("Unmatched closing tag"), TEXT("a>")},
        ParseFailure{TEXT("<a></ab>"), TEXT("Unmatched closing tag"), TEXT("b>")},
        ParseFailure{TEXT("<a></a"), TEXT("Unmatched closing tag"), TEXT("")},
        ParseFailure{TEXT("<a b='1'>"), TEXT("Expected attribute value"), TEXT("'1'>")},
        ParseFailure{TEXT("<a b=>"), TEXT("Expected attribute value"), TEXT(">")},
        ParseFailure{TEXT("<my-tag>"), TEXT("Error while parsing attributes"), TEXT(">")},
        ParseFailure{TEXT("<a b=\"1\" c>"), TEXT("Error while parsing attributes"), TEXT(">")},
        ParseFailure{TEXT("<a \"1\">"), TEXT("Error while parsing attributes"), TEXT("\"1\">")},
        ParseFailure{TEXT("<a"), TEXT("Error parsing element name"), TEXT("")},
        ParseFailure{TEXT("<Window><Label"), TEXT("Error parsing element name"), TEXT("")},
        ParseFailure{TEXT("<a b=\"x"), TEXT("Error while parsing attribute string"), TEXT("")},
        ParseFailure{TEXT("<a b=\"1\"/ >"), TEXT("Expected start-tag closing"), TEXT("/ >")},
        ParseFailure{TEXT("<a b=\"1\""), TEXT("Expected start-tag closing"), TEXT("")},
        ParseFailure{TEXT("<a>x</a><b>y</c>"), TEXT("Unmatched closing tag"), TEXT("c>")},
        // The location is cut at 49 characters.
        ParseFailure{
            TEXT("<a>text<b/>0123456789012345678901234567890123456789012345678901234567890"),
            TEXT("Expected start tag"),
            TEXT("0123456789012345678901234567890123456789012345678")}));

TEST(SkinMarkup, TheEndOfTheTextIsAcceptedDownToTheRootsChildren) {
  EXPECT_EQ(Parse(TEXT("<Window><Label/>")), TEXT("Window\n  Label\n"));
  EXPECT_EQ(Parse(TEXT("<Window><a>text")), TEXT("Window\n  a\n"));
  EXPECT_EQ(Parse(TEXT("<Window>")), TEXT("Window\n"));
  EXPECT_EQ(Parse(TEXT("<Window b=\"1\">")), TEXT("Window[b=1]\n"));
  EXPECT_EQ(Parse(TEXT("<Window>text &amp; more")), TEXT("Window\n"));
}

TEST(SkinMarkup, DocumentsWithoutARoot) {
  for (const WCHAR* text : {TEXT(""), TEXT("  \r\n\t "), TEXT("<!-- only a comment -->  <?pi?>"),
                            TEXT("</stray><a/>"), TEXT("<!DOCTYPE skin><Window/>")}) {
    CSkinMarkup markup;
    EXPECT_TRUE(markup.LoadText(text));
    EXPECT_EQ(TEXT(""), Str(markup.GetLastErrorMessage()));
    EXPECT_FALSE(markup.GetRoot().IsValid());
  }
}

TEST(SkinMarkup, TopLevelElementsAreChainedBehindTheRoot) {
  CSkinMarkup markup(TEXT("<a/><b x=\"1\"></b> <c/></ignored> garbage <"));
  CSkinMarkupNode root = markup.GetRoot();
  ASSERT_TRUE(root.IsValid());
  EXPECT_EQ(TEXT("a\nb[x=1]\nc\n"), Dump(root));
}

TEST(SkinMarkup, InvalidNodesAnswerNothing) {
  CSkinMarkupNode node;
  EXPECT_FALSE(node.IsValid());
  EXPECT_EQ(nullptr, node.GetName());
  EXPECT_FALSE(node.GetNextSibling().IsValid());
  EXPECT_FALSE(node.GetFirstChild().IsValid());
  EXPECT_FALSE(node.HasChildren());
  EXPECT_EQ(0, node.GetAttributeCount());
  EXPECT_FALSE(node.HasAttributes());
  EXPECT_EQ(nullptr, node.GetAttributeName(0));
  EXPECT_EQ(nullptr, node.GetAttributeValue(0));
  WCHAR buffer[4] = {};
  EXPECT_FALSE(node.CopyAttributeValue(TEXT("a"), buffer, 3));
}

TEST(SkinMarkup, ReloadingGivesTheSameResultAsAFreshDocument) {
  const WString second = TEXT("<Window><Button text=\"ok\"/></Window>");
  CSkinMarkup reused(TEXT("<Other a=\"1\"><x/><y/></Other>"));
  ASSERT_TRUE(reused.GetRoot().IsValid());
  ASSERT_TRUE(reused.LoadText(second.c_str()));
  CSkinMarkup fresh(second.c_str());
  EXPECT_EQ(Dump(fresh.GetRoot()), Dump(reused.GetRoot()));
  // A failed load leaves the document empty, whatever it held.
  EXPECT_FALSE(reused.LoadText(TEXT("<a></b>")));
  EXPECT_FALSE(reused.GetRoot().IsValid());
  ASSERT_TRUE(reused.LoadText(second.c_str()));
  EXPECT_EQ(TEXT(""), Str(reused.GetLastErrorMessage()));
  EXPECT_EQ(Dump(fresh.GetRoot()), Dump(reused.GetRoot()));
  reused.Clear();
  EXPECT_FALSE(reused.GetRoot().IsValid());
}

TEST(SkinMarkup, DeepNestingDoesNotExhaustTheStack) {
  WString text;
  for (int i = 0; i < 200000; ++i) text += TEXT("<a>");
  for (int i = 0; i < 200000; ++i) text += TEXT("</a>");
  CSkinMarkup markup;
  ASSERT_TRUE(markup.LoadText(text.c_str()));
  int depth = 0;
  for (CSkinMarkupNode n = markup.GetRoot(); n.IsValid(); n = n.GetFirstChild()) ++depth;
  EXPECT_EQ(200000, depth);
}

TEST(SkinMarkupBytes, Utf8WithAndWithoutByteOrderMark) {
  const std::string xml = "<Window title=\"Halvane\xE5\xAE\x89\xE8\xA3\x85\"/>";
  std::vector<BYTE> plain = Bytes(xml), marked = Bytes("\xEF\xBB\xBF" + xml);
  CSkinMarkup a, b;
  ASSERT_TRUE(a.LoadBytes(plain.data(), static_cast<DWORD>(plain.size())));
  ASSERT_TRUE(b.LoadBytes(marked.data(), static_cast<DWORD>(marked.size()), MarkupEncoding::Utf8));
  EXPECT_EQ(TEXT("Window[title=Halvane\u5b89\u88c5]\n"), Dump(a.GetRoot()));
  EXPECT_EQ(Dump(a.GetRoot()), Dump(b.GetRoot()));
}

TEST(SkinMarkupBytes, MixedTextDecodesAtEveryAlignment) {
  // Multi-byte sequences at every position relative to the eight-byte steps of the decoder.
  for (size_t k = 0; k < 20; ++k) {
    const std::string value = std::string(k, 'x') + "\xE5\xAE\x89\xC3\xA9\xF0\x9F\x98\x80" +
                              std::string(k % 9, 'y') + "\xC3";
    std::vector<BYTE> bytes = Bytes("<a v=\"" + value + "\"/>");
    CSkinMarkup markup;
    ASSERT_TRUE(markup.LoadBytes(bytes.data(), static_cast<DWORD>(bytes.size())));
    const WString expected = WString(k, TEXT('x')) + TEXT("\u5b89\u00e9\U0001F600") +
                             WString(k % 9, TEXT('y')) + TEXT("\uFFFD");
    EXPECT_EQ(expected, Str(markup.GetRoot().GetAttributeValue(0))) << k;
  }
}

TEST(SkinMarkupBytes, AnsiIsUtf8WithoutTheMarkTest) {
  std::vector<BYTE> plain = Bytes("<a v=\"\xE5\xAE\x89\"/>");
  CSkinMarkup markup;
  ASSERT_TRUE(
      markup.LoadBytes(plain.data(), static_cast<DWORD>(plain.size()), MarkupEncoding::Ansi));
  EXPECT_EQ(TEXT("a[v=\u5b89]\n"), Dump(markup.GetRoot()));
  std::vector<BYTE> marked = Bytes("\xEF\xBB\xBF<a/>");
  EXPECT_FALSE(
      markup.LoadBytes(marked.data(), static_cast<DWORD>(marked.size()), MarkupEncoding::Ansi));
  EXPECT_EQ(TEXT("Expected start tag"), Str(markup.GetLastErrorMessage()));
}

TEST(SkinMarkupBytes, Utf16FilesFromIconv) {
  const WString expected =
      TEXT("Window[size=518,345,title=Halvane\u5b89\u88c5\u7a0b\u5e8f]\n  Label[text=\U0001F600 & ")
          TEXT("<ok>]\n");
  std::string le = TestSupport::ReadDataFile("markup/utf16le.xml");
  std::string be = TestSupport::ReadDataFile("markup/utf16be.xml");
  std::string bom = TestSupport::ReadDataFile("markup/utf8bom.xml");
  ASSERT_EQ("\xFF\xFE", le.substr(0, 2));
  ASSERT_EQ("\xFE\xFF", be.substr(0, 2));
  ASSERT_EQ("\xEF\xBB\xBF", bom.substr(0, 3));
  std::vector<BYTE> leBytes = Bytes(le), beBytes = Bytes(be), bomBytes = Bytes(bom);
  CSkinMarkup markup;
  ASSERT_TRUE(
      markup.LoadBytes(leBytes.data(), static_cast<DWORD>(leBytes.size()), MarkupEncoding::Utf16));
  EXPECT_EQ(expected, Dump(markup.GetRoot()));
  ASSERT_TRUE(
      markup.LoadBytes(beBytes.data(), static_cast<DWORD>(beBytes.size()), MarkupEncoding::Utf16));
  EXPECT_EQ(expected, Dump(markup.GetRoot()));
  // The big-endian bytes were swapped in place, except for the mark.
  EXPECT_EQ(0xFE, beBytes[0]);
  EXPECT_EQ(std::vector<BYTE>(leBytes.begin() + 2, leBytes.end()),
            std::vector<BYTE>(beBytes.begin() + 2, beBytes.end()));
  ASSERT_TRUE(
      markup.LoadBytes(bomBytes.data(), static_cast<DWORD>(bomBytes.size()), MarkupEncoding::Utf8));
  EXPECT_EQ(expected, Dump(markup.GetRoot()));
}

TEST(SkinMarkupBytes, Utf16EdgeCases) {
  CSkinMarkup markup;
  // An odd trailing byte is ignored.
  std::vector<BYTE> odd = {0xFF, 0xFE, '<', 0, 'a', 0, '/', 0, '>', 0, 'x'};
  ASSERT_TRUE(markup.LoadBytes(odd.data(), static_cast<DWORD>(odd.size()), MarkupEncoding::Utf16));
  EXPECT_EQ(TEXT("a\n"), Dump(markup.GetRoot()));
  std::vector<BYTE> unmarked = {'<', 0, 'a', 0, '/', 0, '>', 0};
  EXPECT_FALSE(markup.LoadBytes(unmarked.data(), static_cast<DWORD>(unmarked.size()),
                                MarkupEncoding::Utf16));
  EXPECT_FALSE(markup.GetRoot().IsValid());
  std::vector<BYTE> oneByte = {0xFF};
  EXPECT_FALSE(markup.LoadBytes(oneByte.data(), 1, MarkupEncoding::Utf16));
  std::vector<BYTE> onlyMark = {0xFE, 0xFF};
  EXPECT_TRUE(markup.LoadBytes(onlyMark.data(), 2, MarkupEncoding::Utf16));
  EXPECT_FALSE(markup.GetRoot().IsValid());
  // Any value other than Utf8 and Ansi reads as UTF-16.
  EXPECT_TRUE(
      markup.LoadBytes(odd.data(), static_cast<DWORD>(odd.size()), static_cast<MarkupEncoding>(7)));
  EXPECT_EQ(TEXT("a\n"), Dump(markup.GetRoot()));
}

TEST(SkinMarkupBytes, EmptyInputAndEmbeddedTerminator) {
  CSkinMarkup markup;
  std::vector<BYTE> mark = Bytes("\xEF\xBB\xBF");
  EXPECT_TRUE(markup.LoadBytes(mark.data(), 3));
  EXPECT_FALSE(markup.GetRoot().IsValid());
  EXPECT_TRUE(markup.LoadBytes(nullptr, 0));
  std::vector<BYTE> cut = Bytes(std::string("<a/>\0<b", 7));
  ASSERT_TRUE(markup.LoadBytes(cut.data(), static_cast<DWORD>(cut.size())));
  EXPECT_EQ(TEXT("a\n"), Dump(markup.GetRoot()));
  // Broken UTF-8 becomes replacement characters, not a failure.
  std::vector<BYTE> broken = Bytes("<a v=\"\xC3(\"/>");
  ASSERT_TRUE(markup.LoadBytes(broken.data(), static_cast<DWORD>(broken.size())));
  EXPECT_EQ(TEXT("a[v=\uFFFD(]\n"), Dump(markup.GetRoot()));
}

}  // namespace
