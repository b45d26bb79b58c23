#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "Core/SkinMarkup.h"
#include "support/TestData.h"

using namespace SkinUI;

namespace {

std::u16string Str(LPCTSTR text) { return text ? std::u16string(text) : u"<null>"; }

// The children of a node as "name[attribute=value,...]" lines, recursively indented.
std::u16string Dump(const CSkinMarkupNode& node, int depth = 0) {
  std::u16string out;
  for (CSkinMarkupNode n = node; n.IsValid(); n = n.GetNextSibling()) {
    out += std::u16string(static_cast<size_t>(depth) * 2, u' ') + n.GetName();
    if (n.HasAttributes()) {
      out += u"[";
      for (int i = 0; i < n.GetAttributeCount(); ++i) {
        if (i) out += u",";
        out += Str(n.GetAttributeName(i)) + u"=" + Str(n.GetAttributeValue(i));
      }
      out += u"]";
    }
    out += u"\n";
    if (n.HasChildren()) out += Dump(n.GetFirstChild(), depth + 1);
  }
  return out;
}

std::u16string Parse(const std::u16string& text) {
  CSkinMarkup markup;
  if (!markup.LoadText(text.c_str())) return u"error: " + Str(markup.GetLastErrorMessage());
  return Dump(markup.GetRoot());
}

std::vector<BYTE> Bytes(const std::string& text) {
  return std::vector<BYTE>(text.begin(), text.end());
}

TEST(SkinMarkup, BuildsTheElementTree) {
  EXPECT_EQ(Parse(u"<Window size=\"518,345\" caption=\"0,0,0,70\">\n"
                  u"  <Font name=\"DejaVu Sans\" size=\"12\"/>\n"
                  u"  <VerticalLayout>\n"
                  u"    <Edit name=\"edit_path\" />\n"
                  u"    <Button/>\n"
                  u"    <Label text=\"Halvane\u5b89\u88c5\">\u6587\u5b57</Label>\n"
                  u"  </VerticalLayout>\n"
                  u"</Window>\n"),
            u"Window[size=518,345,caption=0,0,0,70]\n"
            u"  Font[name=DejaVu Sans,size=12]\n"
            u"  VerticalLayout\n"
            u"    Edit[name=edit_path]\n"
            u"    Button\n"
            u"    Label[text=Halvane\u5b89\u88c5]\n");
}

TEST(SkinMarkup, DeclarationAndCommentsBeforeTheRootAreSkipped) {
  EXPECT_EQ(Parse(u"<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\" ?>\n"
                  u"<!-- a comment -->\n<!-- another <Window> -->\n"
                  u"<Window><!-- inside --><Label/></Window>"),
            u"Window\n  Label\n");
}

TEST(SkinMarkup, EmptyElementForms) {
  EXPECT_EQ(Parse(u"<R><Font name=\"x\"/><Font name=\"x\" /><Font/><Font  ></Font><B/></R>"),
            u"R\n  Font[name=x]\n  Font[name=x]\n  Font\n  Font\n  B\n");
}

TEST(SkinMarkup, AttributeSyntax) {
  EXPECT_EQ(Parse(u"<a b = \"1\"\tc\n=\n\"2\" d=\"\"/>"), u"a[b=1,c=2,d=]\n");
  EXPECT_EQ(Parse(u"<a b=\"1\"c=\"2\"/>"), u"a[b=1,c=2]\n");
  EXPECT_EQ(Parse(u"<a x:y=\"1\" _z=\"2\" \u540d=\"\u503c\"/>"), u"a[x:y=1,_z=2,\u540d=\u503c]\n");
  // An emoji (a surrogate pair) inside a value stays as it is.
  EXPECT_EQ(Parse(u"<a v=\"x\U0001F600y\"/>"), u"a[v=x\U0001F600y]\n");
}

TEST(SkinMarkup, EntitiesAreDecodedInPlace) {
  EXPECT_EQ(
      Parse(u"<a v=\"a &amp;&lt;b&gt; &quot;c&quot; &apos;d&apos; &#65; &x\" w=\"&amp;&amp;\"/>"),
      u"a[v=a &<b> \"c\" 'd' &#65; &x,w=&&]\n");
  EXPECT_EQ(Parse(u"<a v=\"&AMP;&amp &lt\"/>"), u"a[v=&AMP;&amp &lt]\n");
  EXPECT_EQ(Parse(u"<a v=\"&\"/>"), u"a[v=&]\n");
  EXPECT_EQ(Parse(u"<a v=\"  two  spaces  \"/>"), u"a[v=  two  spaces  ]\n");
}

TEST(SkinMarkup, ElementTextNeverLooksLikeAnAttribute) {
  EXPECT_EQ(Parse(u"<a b=\"1\">\"x\" y=\"2\"</a>"), u"a[b=1]\n");
  EXPECT_EQ(Parse(u"<r><a b=\"1\">&amp;\"x\"<c d=\"2\"/></a></r>"), u"r\n  a[b=1]\n    c[d=2]\n");
  EXPECT_EQ(Parse(u"<a b=\"&amp;\" >t</a>"), u"a[b=&]\n");
}

TEST(SkinMarkup, AtMost64AttributesAreVisible) {
  std::u16string text = u"<a";
  for (int i = 0; i < 65; ++i) {
    std::string n = std::to_string(i);
    text += u" n" + std::u16string(n.begin(), n.end()) + u"=\"v" +
            std::u16string(n.begin(), n.end()) + u"\"";
  }
  text += u"/>";
  CSkinMarkup markup;
  ASSERT_TRUE(markup.LoadText(text.c_str()));
  CSkinMarkupNode root = markup.GetRoot();
  ASSERT_EQ(64, root.GetAttributeCount());
  EXPECT_EQ(u"n63", Str(root.GetAttributeName(63)));
  EXPECT_EQ(u"v63", Str(root.GetAttributeValue(63)));
  EXPECT_EQ(u"", Str(root.GetAttributeName(64)));
  EXPECT_EQ(u"", Str(root.GetAttributeValue(64)));
  EXPECT_EQ(u"", Str(root.GetAttributeValue(-1)));
  WCHAR buffer[8] = {};
  EXPECT_FALSE(root.CopyAttributeValue(u"n64", buffer, 7));
}

TEST(SkinMarkup, CopyAttributeValueMatchesExactlyAndBoundsTheCopy) {
  CSkinMarkup markup(u"<Include name=\"first\" source=\"abcdef\" name=\"second\"/>");
  CSkinMarkupNode node = markup.GetRoot();
  WCHAR buffer[10];
  std::fill(std::begin(buffer), std::end(buffer), u'Z');
  EXPECT_FALSE(node.CopyAttributeValue(u"Name", buffer, 9));
  EXPECT_FALSE(node.CopyAttributeValue(u"nam", buffer, 9));
  EXPECT_EQ(u'Z', buffer[0]);
  ASSERT_TRUE(node.CopyAttributeValue(u"name", buffer, 9));
  EXPECT_EQ(u"first", Str(buffer));
  std::fill(std::begin(buffer), std::end(buffer), u'Z');
  ASSERT_TRUE(node.CopyAttributeValue(u"source", buffer, 3));
  EXPECT_EQ(u"abcZZZZZZZ", std::u16string(buffer, 10));  // no terminator when cut
  std::fill(std::begin(buffer), std::end(buffer), u'Z');
  ASSERT_TRUE(node.CopyAttributeValue(u"source", buffer, 6));
  EXPECT_EQ(u"abcdefZZZZ", std::u16string(buffer, 10));
  ASSERT_TRUE(node.CopyAttributeValue(u"source", buffer, 7));
  EXPECT_EQ(u"abcdef", Str(buffer));
}

struct ParseFailure {
  const char16_t* text;
  const char16_t* message;
  const char16_t* location;
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
        ParseFailure{u"<a>text<b/>more</a>", u"Expected start tag", u"more</a>"},
        ParseFailure{u"text<a/>", u"Expected start tag", u"text<a/>"},
        ParseFailure{u"<Window><a><b/>", u"Expected start tag", u""},
        ParseFailure{u"<a/><b><c/>", u"Expected start tag", u""},
        ParseFailure{u"<Window><a><b>text", u"Expected end-tag start", u""},
        ParseFailure{u"<a></b>", u"Unmatched closing tag", u"b>"},
        ParseFailure{u"<ab></a>", u"Unmatched closing tag", u"a>"},
        ParseFailure{u"<a></ab>", u"Unmatched closing tag", u"b>"},
        ParseFailure{u"<a></a", u"Unmatched closing tag", u""},
        ParseFailure{u"<a b='1'>", u"Expected attribute value", u"'1'>"},
        ParseFailure{u"<a b=>", u"Expected attribute value", u">"},
        ParseFailure{u"<my-tag>", u"Error while parsing attributes", u">"},
        ParseFailure{u"<a b=\"1\" c>", u"Error while parsing attributes", u">"},
        ParseFailure{u"<a \"1\">", u"Error while parsing attributes", u"\"1\">"},
        ParseFailure{u"<a", u"Error parsing element name", u""},
        ParseFailure{u"<Window><Label", u"Error parsing element name", u""},
        ParseFailure{u"<a b=\"x", u"Error while parsing attribute string", u""},
        ParseFailure{u"<a b=\"1\"/ >", u"Expected start-tag closing", u"/ >"},
        ParseFailure{u"<a b=\"1\"", u"Expected start-tag closing", u""},
        ParseFailure{u"<a>x</a><b>y</c>", u"Unmatched closing tag", u"c>"},
        // The location is cut at 49 characters.
        ParseFailure{u"<a>text<b/>0123456789012345678901234567890123456789012345678901234567890",
                     u"Expected start tag", u"0123456789012345678901234567890123456789012345678"}));

TEST(SkinMarkup, TheEndOfTheTextIsAcceptedDownToTheRootsChildren) {
  EXPECT_EQ(Parse(u"<Window><Label/>"), u"Window\n  Label\n");
  EXPECT_EQ(Parse(u"<Window><a>text"), u"Window\n  a\n");
  EXPECT_EQ(Parse(u"<Window>"), u"Window\n");
  EXPECT_EQ(Parse(u"<Window b=\"1\">"), u"Window[b=1]\n");
  EXPECT_EQ(Parse(u"<Window>text &amp; more"), u"Window\n");
}

TEST(SkinMarkup, DocumentsWithoutARoot) {
  for (const char16_t* text : {u"", u"  \r\n\t ", u"<!-- only a comment -->  <?pi?>",
                               u"</stray><a/>", u"<!DOCTYPE skin><Window/>"}) {
    CSkinMarkup markup;
    EXPECT_TRUE(markup.LoadText(text));
    EXPECT_EQ(u"", Str(markup.GetLastErrorMessage()));
    EXPECT_FALSE(markup.GetRoot().IsValid());
  }
}

TEST(SkinMarkup, TopLevelElementsAreChainedBehindTheRoot) {
  CSkinMarkup markup(u"<a/><b x=\"1\"></b> <c/></ignored> garbage <");
  CSkinMarkupNode root = markup.GetRoot();
  ASSERT_TRUE(root.IsValid());
  EXPECT_EQ(u"a\nb[x=1]\nc\n", Dump(root));
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
  EXPECT_FALSE(node.CopyAttributeValue(u"a", buffer, 3));
}

TEST(SkinMarkup, ReloadingGivesTheSameResultAsAFreshDocument) {
  const std::u16string second = u"<Window><Button text=\"ok\"/></Window>";
  CSkinMarkup reused(u"<Other a=\"1\"><x/><y/></Other>");
  ASSERT_TRUE(reused.GetRoot().IsValid());
  ASSERT_TRUE(reused.LoadText(second.c_str()));
  CSkinMarkup fresh(second.c_str());
  EXPECT_EQ(Dump(fresh.GetRoot()), Dump(reused.GetRoot()));
  // A failed load leaves the document empty, whatever it held.
  EXPECT_FALSE(reused.LoadText(u"<a></b>"));
  EXPECT_FALSE(reused.GetRoot().IsValid());
  ASSERT_TRUE(reused.LoadText(second.c_str()));
  EXPECT_EQ(u"", Str(reused.GetLastErrorMessage()));
  EXPECT_EQ(Dump(fresh.GetRoot()), Dump(reused.GetRoot()));
  reused.Clear();
  EXPECT_FALSE(reused.GetRoot().IsValid());
}

TEST(SkinMarkup, DeepNestingDoesNotExhaustTheStack) {
  std::u16string text;
  for (int i = 0; i < 200000; ++i) text += u"<a>";
  for (int i = 0; i < 200000; ++i) text += u"</a>";
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
  EXPECT_EQ(u"Window[title=Halvane\u5b89\u88c5]\n", Dump(a.GetRoot()));
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
    const std::u16string expected = std::u16string(k, u'x') + u"\u5b89\u00e9\U0001F600" +
                                    std::u16string(k % 9, u'y') + u"\uFFFD";
    EXPECT_EQ(expected, Str(markup.GetRoot().GetAttributeValue(0))) << k;
  }
}

TEST(SkinMarkupBytes, AnsiIsUtf8WithoutTheMarkTest) {
  std::vector<BYTE> plain = Bytes("<a v=\"\xE5\xAE\x89\"/>");
  CSkinMarkup markup;
  ASSERT_TRUE(
      markup.LoadBytes(plain.data(), static_cast<DWORD>(plain.size()), MarkupEncoding::Ansi));
  EXPECT_EQ(u"a[v=\u5b89]\n", Dump(markup.GetRoot()));
  std::vector<BYTE> marked = Bytes("\xEF\xBB\xBF<a/>");
  EXPECT_FALSE(
      markup.LoadBytes(marked.data(), static_cast<DWORD>(marked.size()), MarkupEncoding::Ansi));
  EXPECT_EQ(u"Expected start tag", Str(markup.GetLastErrorMessage()));
}

TEST(SkinMarkupBytes, Utf16FilesFromIconv) {
  const std::u16string expected =
      u"Window[size=518,345,title=Halvane\u5b89\u88c5\u7a0b\u5e8f]\n  Label[text=\U0001F600 & "
      u"<ok>]\n";
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
  EXPECT_EQ(u"a\n", Dump(markup.GetRoot()));
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
  EXPECT_EQ(u"a\n", Dump(markup.GetRoot()));
}

TEST(SkinMarkupBytes, EmptyInputAndEmbeddedTerminator) {
  CSkinMarkup markup;
  std::vector<BYTE> mark = Bytes("\xEF\xBB\xBF");
  EXPECT_TRUE(markup.LoadBytes(mark.data(), 3));
  EXPECT_FALSE(markup.GetRoot().IsValid());
  EXPECT_TRUE(markup.LoadBytes(nullptr, 0));
  std::vector<BYTE> cut = Bytes(std::string("<a/>\0<b", 7));
  ASSERT_TRUE(markup.LoadBytes(cut.data(), static_cast<DWORD>(cut.size())));
  EXPECT_EQ(u"a\n", Dump(markup.GetRoot()));
  // Broken UTF-8 becomes replacement characters, not a failure.
  std::vector<BYTE> broken = Bytes("<a v=\"\xC3(\"/>");
  ASSERT_TRUE(markup.LoadBytes(broken.data(), static_cast<DWORD>(broken.size())));
  EXPECT_EQ(u"a[v=\uFFFD(]\n", Dump(markup.GetRoot()));
}

}  // namespace
