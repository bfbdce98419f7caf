#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "text/utf8.h"

namespace pixdeck {
namespace {

TEST(Utf8, DecodesWellFormedTextAndRoundTrips) {
  const std::string text = "a\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80\xED\x9F\xBF\xF4\x8F\xBF\xBF";
  EXPECT_EQ(DecodeUtf8(text), (std::u32string{U'a', 0xE4, 0x20AC, 0x1F600, 0xD7FF, 0x10FFFF}));
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(text)), text);
}

TEST(Utf8, MalformedBytesStandAloneAndNeverDecodeAsAscii) {
  const auto escaped = [](std::initializer_list<unsigned char> bytes) {
    std::u32string out;
    for (unsigned char b : bytes) {
      out.push_back(EscapedByte(b));
    }
    return out;
  };
  // Overlong forms of "." and "*", in two, three and four bytes.
  EXPECT_EQ(DecodeUtf8("\xC0\xAE"), escaped({0xC0, 0xAE}));
  EXPECT_EQ(DecodeUtf8("\xE0\x80\xAE"), escaped({0xE0, 0x80, 0xAE}));
  EXPECT_EQ(DecodeUtf8("\xF0\x80\x80\xAA"), escaped({0xF0, 0x80, 0x80, 0xAA}));
  EXPECT_EQ(DecodeUtf8("\xE0\x9F\xBF"), escaped({0xE0, 0x9F, 0xBF}));  // U+07FF in three
  // Encoded surrogates and code points beyond U+10FFFF.
  EXPECT_EQ(DecodeUtf8("\xED\xA0\x80"), escaped({0xED, 0xA0, 0x80}));
  EXPECT_EQ(DecodeUtf8("\xED\xB3\xA9"), escaped({0xED, 0xB3, 0xA9}));
  EXPECT_EQ(DecodeUtf8("\xF4\x90\x80\x80"), escaped({0xF4, 0x90, 0x80, 0x80}));
  EXPECT_EQ(DecodeUtf8("\xF5\x80"), escaped({0xF5, 0x80}));
  // Truncated sequences: the ASCII after them is still itself.
  EXPECT_EQ(DecodeUtf8("\xE2\x82.gif"), escaped({0xE2, 0x82}) + U".gif");
  EXPECT_EQ(DecodeUtf8("\xC3"), escaped({0xC3}));
  EXPECT_EQ(DecodeUtf8("\xF0\x9F\x98"), escaped({0xF0, 0x9F, 0x98}));
  // A Latin-1 name: its byte does not become the letter it meant there.
  EXPECT_EQ(DecodeUtf8("caf\xE9"), U"caf" + escaped({0xE9}));
  EXPECT_NE(DecodeUtf8("caf\xE9"), DecodeUtf8("caf\xC3\xA9"));
}

TEST(Utf8, AnyByteStringRoundTrips) {
  std::string every;
  for (int b = 0; b < 256; ++b) {
    every.push_back(static_cast<char>(b));
    every.push_back(static_cast<char>(255 - b));
  }
  for (const std::string& text :
       {every, std::string("\xC0\xAE\xED\xA0\x80\xF4\x90\x80\x80\xE2\x82", 11),
        std::string("\xC3\xA9\xC3", 3)}) {
    EXPECT_EQ(EncodeUtf8(DecodeUtf8(text)), text);
  }
  EXPECT_EQ(EncodeUtf8(std::u32string{0xD800, 0x110000}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

TEST(Utf8, SequenceLengthsFollowTheWellFormedRanges) {
  EXPECT_EQ(Utf8SequenceLength("a", 0), 1u);
  EXPECT_EQ(Utf8SequenceLength("\xC2\x80", 0), 2u);
  EXPECT_EQ(Utf8SequenceLength("\xC1\xBF", 0), 0u);
  EXPECT_EQ(Utf8SequenceLength("\xE0\xA0\x80", 0), 3u);
  EXPECT_EQ(Utf8SequenceLength("\xED\x9F\xBF", 0), 3u);
  EXPECT_EQ(Utf8SequenceLength("\xED\xA0\x80", 0), 0u);
  EXPECT_EQ(Utf8SequenceLength("\xF0\x90\x80\x80", 0), 4u);
  EXPECT_EQ(Utf8SequenceLength("\xF4\x8F\xBF\xBF", 0), 4u);
  EXPECT_EQ(Utf8SequenceLength("\xE2\x82\xAC", 1), 0u);  // a continuation byte
  EXPECT_EQ(Utf8SequenceLength("x\xE2\x82", 1), 0u);     // cut short by the end
}

TEST(Utf8, ASequenceGivesItsCodePointAndLengthOrNothing) {
  const std::string text = "a\xC3\xA4\xF0\x9F\x98\x80\xE2\x82";
  const auto at = [&](std::size_t i) {
    const Utf8Sequence sequence = Utf8SequenceAt(text, i);
    return std::pair{sequence.codePoint, sequence.length};
  };
  EXPECT_EQ(at(0), (std::pair<char32_t, std::size_t>{U'a', 1}));
  EXPECT_EQ(at(1), (std::pair<char32_t, std::size_t>{0xE4, 2}));
  EXPECT_EQ(at(3), (std::pair<char32_t, std::size_t>{0x1F600, 4}));
  EXPECT_EQ(at(2).second, 0u);                              // a continuation byte
  EXPECT_EQ(at(7).second, 0u);                              // cut short by the end
  EXPECT_EQ(Utf8SequenceAt("\xC0\x80", 0).length, 0u);      // an overlong NUL
  EXPECT_EQ(Utf8SequenceAt("\xED\xB0\x80", 0).length, 0u);  // an encoded surrogate
}

TEST(CaseFolding, CapitalsFoldToTheirSmallLetters) {
  EXPECT_EQ(FoldCase(U'A'), U'a');
  EXPECT_EQ(FoldCase(0xC9), 0xE9u);    // E acute
  EXPECT_EQ(FoldCase(0xD7), 0xD7u);    // the multiplication sign has no case
  EXPECT_EQ(FoldCase(0x178), 0xFFu);   // Y with diaeresis
  EXPECT_EQ(FoldCase(0x179), 0x17Au);  // Z acute
  EXPECT_EQ(FoldCase(0x17D), 0x17Eu);  // Z caron
  EXPECT_EQ(FoldCase(0x17E), 0x17Eu);
  EXPECT_EQ(FoldCase(0x139), 0x13Au);  // L acute
  EXPECT_EQ(FoldCase(0x14A), 0x14Bu);  // Eng
  EXPECT_EQ(FoldCase(0x176), 0x177u);  // Y circumflex
  EXPECT_EQ(FoldCase(0x391), 0x3B1u);  // Alpha
  EXPECT_EQ(FoldCase(0x386), 0x3ACu);  // Alpha with tonos
  EXPECT_EQ(FoldCase(0x38F), 0x3CEu);  // Omega with tonos
  EXPECT_EQ(FoldCase(0x416), 0x436u);  // Zhe
  EXPECT_EQ(FoldCase(0x401), 0x451u);  // Io
  EXPECT_EQ(FoldCase(EscapedByte(0xC9)), EscapedByte(0xC9));
}

TEST(Utf8, ASequenceCutOffByTheEndOfTheViewIsNotCompletedFromBeyondIt) {
  // The bytes after a view belong to someone else: a view decodes as its own
  // bytes alone would, whatever follows it in the buffer.
  const std::string buffer = "ab\xC3\xA4\xE2\x82\xAC\xF0\x9F\x98\x80";
  for (std::size_t start = 0; start < buffer.size(); ++start) {
    for (std::size_t length = 0; start + length <= buffer.size(); ++length) {
      const std::string_view view = std::string_view(buffer).substr(start, length);
      EXPECT_EQ(DecodeUtf8(view), DecodeUtf8(std::string(view))) << start << "+" << length;
    }
  }
  EXPECT_EQ(DecodeUtf8(std::string_view(buffer).substr(0, 3)).substr(0, 2), U"ab");
  EXPECT_NE(DecodeUtf8(std::string_view(buffer).substr(0, 3)), U"ab\u00E4");
}

}  // namespace
}  // namespace pixdeck
