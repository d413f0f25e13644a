// The 16-byte string that holds name parts, aliases and operator texts: edits on either side of
// the inline capacity, edits from views of the string's own bytes, copies and moves.
#include "vxCompactString.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace {

constexpr size_t Inline = TvxCompactString::InlineCapacity;

// Start, Replace(Position, Length, Text), the expected text and whether it is on the heap.
struct TEdit {
  std::string Start;
  size_t Position, Length;
  std::string Text, Expected;
  bool OnHeap;
};

TEST(CompactStringTest, EditsCrossTheInlineCapacityBothWays) {
  const std::string Full(Inline, 'f'), Over(Inline + 1, 'o'), Long(300, 'l'), Nul("ab\0cd", 5);
  const TEdit Edits[] = {
      {"", 0, 0, "", "", false},
      {"", 0, 0, Full, Full, false},
      {"", 0, 0, Over, Over, true},
      {Full, Inline, 0, "x", Full + "x", true},           // grows out of the object
      {Over, 0, 1, "", std::string(Inline, 'o'), false},  // shrinks back into it
      {Long, 1, 298, "", "ll", false},
      {"abcdef", 2, 2, "XYZ", "abXYZef", false},
      {Nul, 0, 0, Long, Long + Nul, true},
  };
  for (const TEdit& Edit : Edits) {
    TvxCompactString Text(Edit.Start);
    Text.Replace(Edit.Position, Edit.Length, Edit.Text);
    EXPECT_EQ(Text.GetView(), Edit.Expected) << Edit.Start << " at " << Edit.Position;
    EXPECT_EQ(Text.IsOnHeap(), Edit.OnHeap) << Edit.Start << " at " << Edit.Position;
  }
}

TEST(CompactStringTest, AppendsAndReplacesFromItsOwnBytes) {
  for (const std::string& Start : {std::string("abc"), std::string(Inline - 2, 'a'), std::string(40, 'b')}) {
    TvxCompactString Text(Start);
    Text.Append(Text.GetView());
    EXPECT_EQ(Text.GetView(), Start + Start);
    Text.Replace(0, Text.GetSize(), Text.GetView().substr(1, 2));
    EXPECT_EQ(Text.GetView(), Start.substr(1, 2));
  }
}

// Two parts at once, as a packed name appends its length byte and its bytes: in place while
// both fit, through the heap once they do not, also when both view the string's own bytes.
TEST(CompactStringTest, AppendsTwoPartsInsideAndOnTheHeap) {
  struct TAppend {
    std::string Start, First, Second;
    bool OnHeap;
  };
  const TAppend Appends[] = {
      {"", "", "", false},
      {"ab", std::string(1, '\x02'), "cd", false},
      {std::string(Inline - 3, 'a'), "x", "yz", false},  // fills the object exactly
      {std::string(Inline - 3, 'a'), "x", "yzw", true},  // one byte more
      {std::string(Inline - 1, 'a'), "", "bc", true},
      {std::string(40, 'b'), std::string(1, '\x01'), "c", true},
  };
  for (const TAppend& Append : Appends) {
    TvxCompactString Text(Append.Start);
    Text.Append(Append.First, Append.Second);
    EXPECT_EQ(Text.GetView(), Append.Start + Append.First + Append.Second) << Append.Start;
    EXPECT_EQ(Text.IsOnHeap(), Append.OnHeap) << Append.Start;
  }
  for (const std::string& Start : {std::string("abc"), std::string(Inline - 2, 'a'), std::string(40, 'b')}) {
    TvxCompactString Text(Start);
    const std::string_view Own = Text.GetView();
    Text.Append(Own.substr(0, 1), Own);
    EXPECT_EQ(Text.GetView(), Start + Start.substr(0, 1) + Start);
  }
}

// Short texts are copied in by fixed-size moves whose width depends on the length: every
// length up to the capacity, built directly and appended at every offset it fits, keeps every
// byte.
TEST(CompactStringTest, EveryShortLengthCopiesExactly) {
  const std::string Bytes = "0123456789abcdefghij";
  for (size_t Length = 0; Length <= Inline; ++Length) {
    const std::string Text = Bytes.substr(Length % 3, Length);
    EXPECT_EQ(TvxCompactString(Text).GetView(), Text) << Length;
    for (size_t Start = 0; Start + Length <= Inline; ++Start) {
      TvxCompactString Joined(std::string(Start, '.'));
      Joined.Append(Text);
      EXPECT_EQ(Joined.GetView(), std::string(Start, '.') + Text) << Start << "+" << Length;
      EXPECT_FALSE(Joined.IsOnHeap());
    }
  }
}

TEST(CompactStringTest, CopiesAreIndependentAndMovesLeaveTheSourceEmpty) {
  for (const std::string& Start : {std::string("short"), std::string(64, 'h')}) {
    TvxCompactString Original(Start);
    TvxCompactString Copy(Original);
    Copy.Append("!");
    EXPECT_EQ(Original.GetView(), Start);
    EXPECT_EQ(Copy.GetView(), Start + "!");

    TvxCompactString Moved(std::move(Copy));
    EXPECT_TRUE(Copy.IsEmpty());  // NOLINT(bugprone-use-after-move): the moved-from state is the point
    EXPECT_EQ(Moved.GetView(), Start + "!");
    // Assigning over a string on the heap frees its block (the sanitizer build reports a leak).
    Moved = std::move(Original);
    EXPECT_EQ(Moved.GetView(), Start);
    Moved = Moved;
    EXPECT_EQ(Moved.GetView(), Start);
  }
}

}  // namespace
