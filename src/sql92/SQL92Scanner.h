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

  // Where the automaton stands: the next byte to read, the character counter and the table
  // of line starts that every line end passed is added to.
  struct TCursor {
    const char* P = nullptr;      // first byte of the next character
    const char* Begin = nullptr;  // the text (padded, see TvxBuffer)
    const char* End = nullptr;
    int32_t Shift = 0;  // bytes minus characters before P: one per CR LF pair passed
    std::vector<TvxLineStart>* Lines = nullptr;
  };

protected:
  // Sets Kind to the keyword's number when Val is a keyword (ASCII case folding only). Val
  // must lie in this scanner's text, as every identifier token's does.
  void CheckLiteral(TvxTokenRecord& Token) const override;
  TvxTokenRecord NextToken() override;
  // Every control character and the space separate tokens; NUL does not (it is illegal).
  // Also puts the cursor on the first byte of the text.
  void InitInternal() override;
  void ReadTokens() override;

private:
  // Reads one token from the cursor on into Token, skipping blanks and remarks before it.
  void ScanToken(TCursor& Cursor, TvxTokenRecord& Token) const;
  // True for a byte skipped between tokens. The set holds no letters, so the byte as written
  // and the lower-cased character look up the same entry.
  bool IsIgnored(uint8_t Ch) const { return FIgnore[Ch]; }

  TCursor FCursor;
};
