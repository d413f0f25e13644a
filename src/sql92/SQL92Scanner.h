// The scanner of the SQL-92 dialect: a table-driven automaton over bytes that produces the
// tokens of SQL92Tokens.h. Runs of identifier, digit and literal bytes are read by tight loops
// over the text, so scanning costs little more than reading the bytes once.
#pragma once

#include "SQL92Tokens.h"
#include "vxScannerBase.h"

struct TvxScannerClass;

class SQL92Scanner final : public TvxBaseScanner {
public:
  // The class record a dialect names to have this scanner created.
  static const TvxScannerClass& StaticClass();

protected:
  // Sets Kind to the keyword's number when Val is a keyword (ASCII case folding only).
  void CheckLiteral(TvxToken& Token) const override;
  TvxToken NextToken() override;
  // Every control character and the space separate tokens; NUL does not (it is illegal).
  void InitInternal() override;

private:
  // Called on a "-": skips a "--" comment up to the line end and returns true; otherwise
  // leaves the reader on the "-" exactly as it was and returns false.
  bool Comment0();

  // The automaton from each start state; each consumes the token's characters and returns
  // its kind (NoSymKind for a sequence that forms no token, the current character not taken).
  int32_t ScanNumber();
  int32_t ScanDot();
  int32_t ScanDateTime();
  int32_t ScanOperator();
  // A delimited text from the opening Open to its Close, re-opened by an Open right after the
  // Close (doubled quotes, [a][b]). False when the text ends first.
  bool ScanDelimited(uint8_t Open, uint8_t Close);
  // Consumes the run of bytes of the given character class from the current one on.
  void SkipClass(uint8_t Class);
  // Consumes one blank (tab, space or line end) if the current character is one.
  void SkipOneBlank();
};
