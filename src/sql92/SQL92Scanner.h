// The scanner of the SQL-92 dialect: a table-driven automaton over bytes that produces the
// tokens of SQL92Tokens.h.
//
// It reads the text through a byte cursor of its own rather than the base's character reader:
// the cursor follows the same rules (a CR LF pair is one character, every line end counts one
// line, letters fold with ASCII rules), but lives in registers while a whole text is scanned,
// so runs of identifier, digit, blank and literal bytes cost a compare and an increment each.
#pragma once

#include "SQL92Tokens.h"
#include "vxScannerBase.h"

struct TvxScannerClass;

class SQL92Scanner final : public TvxBaseScanner {
public:
  // The class record a dialect names to have this scanner created.
  static const TvxScannerClass& StaticClass();

  // Where the automaton stands: the next byte to read and the table of line starts that every
  // line end passed is added to (which also tells the character count at the last one).
  struct TCursor {
    const char* P = nullptr;      // first byte of the next character
    const char* Begin = nullptr;  // the text (padded, see TvxBuffer)
    const char* End = nullptr;
    std::vector<TvxLineStart>* Lines = nullptr;
  };

protected:
  // Sets Kind to the keyword's number when Val is a keyword (ASCII case folding only). Val
  // must lie in this scanner's text, as every identifier token's does.
  void CheckLiteral(TvxTokenRecord& Token) const override;
  TvxTokenRecord NextToken() override;
  // Puts the cursor on the first byte of the text. The blanks between tokens (every control
  // character and the space; NUL is illegal) are the automaton's own, FIgnore is not read.
  void InitInternal() override;
  void ReadTokens() override;

private:
  TCursor FCursor;
};
