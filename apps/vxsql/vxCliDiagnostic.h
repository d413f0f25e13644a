// Parse errors shown the way compilers show them:
//
//   query.sql:4:8: Bad SELECT statement near 'c'
//    order c.Name
//          ^
//
// The position is the one the parser reports (1-based line, column counted in bytes from the
// start of the line, as the scanner counts); the caret line reproduces the tabs of the source
// line and counts a UTF-8 sequence as one column, so the caret stands under the token in a
// terminal.
//
// The source line is echoed so that a terminal shows it and acts on nothing in it: control
// characters (escape sequences among them), the C1 controls, the characters that reorder text
// and invalid UTF-8 are written as visible escapes (\x1B, \u009B); and of a long line only a
// window of about 120 columns around the caret is echoed, "..." marking where it goes on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

class TvxSourceDiagnostic {
public:
  // TokenText is the token's text as written; Line and Col as the parser reports them.
  TvxSourceDiagnostic(std::string Message, int Line, int Col, std::string TokenText)
      : FMessage(std::move(Message)), FLine(Line), FCol(Col), FTokenText(std::move(TokenText)) {}

  // Three lines, each ending in "\n": the location with the message, the source line and the
  // caret. Text is the whole input the parser read. When nothing but white space follows the
  // position (the parser stopped at the end of the text), the location moves to just after the
  // last written character and the message says "at end of input".
  std::string Render(std::string_view FileName, std::string_view Text) const;

private:
  std::string FMessage;
  int FLine;
  int FCol;
  std::string FTokenText;
};

// The lines of Text as the scanner counts them: CR LF, LF CR, a lone CR and a lone LF each end
// one line. A text ending in a line break has an empty last line.
std::vector<std::string_view> SplitSourceLines(std::string_view Text);

// A token's text for a one-line message: the first line only, at most 40 characters, shown
// visibly as the echoed line is (a tab as \x09 too).
std::string ShortTokenText(std::string_view Token);
// Text with every character a terminal would act on, or cannot show, as a visible escape.
std::string VisibleText(std::string_view Text);
