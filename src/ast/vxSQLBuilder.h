// The token-level SQL writer. Nodes say what kind of token they write and where a separator may
// go; the writer renders each kind and collapses redundant separators. All identifier quoting
// happens in WriteIdentifier and nowhere else.
#pragma once

#include "vxShortCopy.h"

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

class TastSyntaxProvider;
class TSQLBuilderPlainText;

// How a database spells a name written without quotes: as written (SQLite, SQL Server), in
// lower case (PostgreSQL) or in upper case (the SQL standard, Oracle, Firebird). A name that
// folding would change is quoted to keep its spelling.
enum class TvxNameFolding { nfNone, nfLower, nfUpper };

class TSQLBuilder {
public:
  TSQLBuilder() = default;
  virtual ~TSQLBuilder() = default;
  TSQLBuilder(const TSQLBuilder&) = delete;
  TSQLBuilder& operator=(const TSQLBuilder&) = delete;

  // Empties the output and returns to the state of an empty text (no separator can follow).
  void ResetBuilder();
  void Space() {
    if (!FAfterSpace) WriteSpace();
    FAfterSpace = true;
  }
  void SpaceForce() {
    WriteSpace();
    FAfterSpace = true;
  }
  void NewLine();
  void NewLineOrSpace(bool MultiLine) {
    if (MultiLine)
      NewLine();
    else
      Space();
  }
  inline void WriteKeyword(std::string_view Text);
  // Writes one name part as a tree stores it: a delimited identifier the parser read ("x",
  // [x], or a string used as an alias, 'x') as it is; any other name bare when it is a plain
  // identifier and no reserved word of the dialect, else quoted by QuoteIdentifier. So a name
  // part is always written as exactly one token. A null SyntaxProvider writes the name as it is.
  void WriteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider);
  inline void WriteSymbol(std::string_view Text);
  inline void WriteNumber(std::string_view Text);
  inline void WriteString(std::string_view Text);

  // Runs Write, whose tokens the writer may hold back and hand to its text together when the
  // outermost batch ends: a node writes its tree in one batch, so the text grows by one append
  // per statement rather than one per token. Until then GetText lags behind.
  template <class TWrite>
  void WriteBatch(TWrite&& Write);
  bool IsInBatch() const { return FInBatch; }

  bool IsAtLineStart() const { return FAtLineStart; }
  bool IsAfterSpace() const { return FAfterSpace; }

  // A name made of ASCII letters, digits and underscores that does not start with a digit.
  static bool IsPlainIdentifier(std::string_view Name);
  // Text that is exactly one delimited identifier as the scanner reads one: between the
  // dialect's quotes, double quotes, [ ] or single quotes, with every closing delimiter inside
  // followed by an opening one (the scanner's rule, which makes "" inside a double-quoted name
  // one quote). Only the parser stores such parts; a name from anywhere else is quoted on its
  // way into a tree (QuoteIdentifier).
  static bool IsDelimitedIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider);
  // The SQL text of a name from anywhere but parsed text (a catalog list, a provider's fields,
  // an alias the user typed): the name itself when it is a plain identifier, no reserved word
  // and unchanged by Folding; otherwise the name between the dialect's quotes with each
  // closing quote inside doubled. The name is never taken as delimited already: a catalog
  // name "x" (quotes included) gets quotes of its own around doubled ones. Bare when
  // SyntaxProvider is null or has no quotes.
  static std::string QuoteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider,
                                     TvxNameFolding Folding = TvxNameFolding::nfNone);
  // The name a stored part stands for: a delimited identifier without its delimiters and with
  // its doubled quotes undoubled ("a""b" is a"b, 'it''s' is it's); any other part as it is.
  static std::string UnquoteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider);
  // False when Name cannot be delimited, whatever the dialect's quotes: it starts with a
  // letter, a digit or an underscore. A cheap test before UnquoteIdentifier.
  static bool MayBeDelimited(std::string_view Name);
  // Name as a server that folds unquoted names by Folding spells it (ASCII letters only).
  static std::string FoldName(std::string_view Name, TvxNameFolding Folding);

protected:
  // For the plain-text writer, whose tokens are the text itself: the token methods append them
  // without a virtual call, which is most of what writing a name or a comma costs.
  explicit TSQLBuilder(bool PlainText) : FPlainText(PlainText) {}

  virtual void ResetBuilderInternal() = 0;
  virtual void SpaceInternal() = 0;
  virtual void NewLineInternal() = 0;
  virtual void WriteKeywordInternal(std::string_view Text) = 0;
  virtual void WriteIdentifierInternal(std::string_view Text) = 0;
  virtual void WriteSymbolInternal(std::string_view Text) = 0;
  virtual void WriteNumberInternal(std::string_view Text) = 0;
  virtual void WriteStringInternal(std::string_view Text) = 0;
  // The outermost batch begins; and it ends, when the tokens held back go to the text.
  virtual void BeginBatchInternal() {}
  virtual void EndBatchInternal() {}

private:
  void EndBatch() {
    FInBatch = false;
    EndBatchInternal();
  }
  inline TSQLBuilderPlainText& AsPlainText();
  inline void WriteSpace();
  inline void WriteIdentifierText(std::string_view Text);
  inline void WriteToken(std::string_view Text, void (TSQLBuilder::*Render)(std::string_view));
  void TokenWritten() { FAtLineStart = FAfterSpace = false; }

  const bool FPlainText = false;
  bool FInBatch = false;
  bool FAtLineStart = false;
  bool FAfterSpace = false;
};

// Writes into a caller-owned string buffer.
class TSQLBuilderStream : public TSQLBuilder {
public:
  explicit TSQLBuilderStream(std::string& Stream) : FStream(&Stream) {}
  // The text written since the last reset, up to the last finished batch.
  const std::string& GetText() const { return *FStream; }

protected:
  TSQLBuilderStream(std::string& Stream, bool PlainText) : TSQLBuilder(PlainText), FStream(&Stream) {}

  // Inside a batch, short texts gather in FHeld: a copy of a few bytes where an append to the
  // string would check and grow it for every token.
  void RawWrite(std::string_view Text) {
    if (Text.size() <= FHeldLimit - FHeldSize) {
      if (Text.size() <= 16)
        vxCopyShort(FHeld + FHeldSize, Text.data(), Text.size());
      else
        std::memcpy(FHeld + FHeldSize, Text.data(), Text.size());
      FHeldSize += Text.size();
    } else {
      RawWriteThrough(Text);
    }
  }
  void ResetBuilderInternal() override;
  void BeginBatchInternal() override { FHeldLimit = sizeof(FHeld); }
  void EndBatchInternal() override;

private:
  void RawWriteThrough(std::string_view Text);
  void Flush();

  std::string* FStream;  // not owned
  // Most statements fit, so a batch usually ends in a single append.
  char FHeld[512];
  size_t FHeldSize = 0;
  // Outside a batch nothing is held: no text but the empty one fits.
  size_t FHeldLimit = 0;
};

// Plain SQL text; line breaks are CR LF. TSQLBuilder writes plain tokens and spaces without
// their virtual hooks, so those are final: an override would never be reached.
class TSQLBuilderPlainText : public TSQLBuilderStream {
public:
  explicit TSQLBuilderPlainText(std::string& Stream) : TSQLBuilderStream(Stream, true) {}

protected:
  // The separators pass through the public WriteSymbol, so they clear both flags before
  // Space/NewLine set their own.
  void SpaceInternal() final { WriteSymbol(" "); }
  void NewLineInternal() override { WriteSymbol(FNewLineText); }
  void WriteKeywordInternal(std::string_view Text) final { RawWrite(Text); }
  void WriteIdentifierInternal(std::string_view Text) final { RawWrite(Text); }
  void WriteSymbolInternal(std::string_view Text) final { RawWrite(Text); }
  void WriteNumberInternal(std::string_view Text) final { RawWrite(Text); }
  void WriteStringInternal(std::string_view Text) final { RawWrite(Text); }

private:
  friend class TSQLBuilder;
  std::string FNewLineText = "\r\n";
};

// HTML: keywords bold and lower-case, identifiers italic, symbols coloured, "<br/>" for line
// breaks. Every text taken from the statement is escaped ("<", ">" and "&"), so a name, a
// literal or an operator such as "<" can neither break the page nor add markup to it.
class TSQLBuilderHTML : public TSQLBuilderStream {
public:
  explicit TSQLBuilderHTML(std::string& Stream) : TSQLBuilderStream(Stream) {}

protected:
  void SpaceInternal() override { RawWrite(" "); }
  void NewLineInternal() override { RawWrite("<br/>"); }
  void WriteKeywordInternal(std::string_view Text) override;
  void WriteIdentifierInternal(std::string_view Text) override;
  void WriteSymbolInternal(std::string_view Text) override;
  void WriteNumberInternal(std::string_view Text) override { RawWrite(Escape(Text)); }
  void WriteStringInternal(std::string_view Text) override { RawWrite(Escape(Text)); }

public:
  // Text with "<", ">" and "&" written as entities; InAttribute also '"' (for text inside an
  // attribute value, where this writer puts none of the statement's).
  static std::string Escape(std::string_view Text, bool InAttribute = false);

private:
  std::string FKeywordBegin = "<b>", FKeywordEnd = "</b>";
  std::string FIdentifierBegin = "<i>", FIdentifierEnd = "</i>";
  std::string FSymbolBegin = "<font color=#7f7fff>", FSymbolEnd = "</font>";
};

// --- the token methods, inline: nodes call them for every token ------------------------------

template <class TWrite>
void TSQLBuilder::WriteBatch(TWrite&& Write) {
  if (FInBatch) {
    Write();
    return;
  }
  FInBatch = true;
  BeginBatchInternal();
  try {
    Write();
  } catch (...) {
    // What was written stays written, as without a batch.
    EndBatch();
    throw;
  }
  EndBatch();
}

TSQLBuilderPlainText& TSQLBuilder::AsPlainText() { return static_cast<TSQLBuilderPlainText&>(*this); }

void TSQLBuilder::WriteSpace() {
  if (FPlainText)
    AsPlainText().TSQLBuilderPlainText::SpaceInternal();
  else
    SpaceInternal();
}

void TSQLBuilder::WriteToken(std::string_view Text, void (TSQLBuilder::*Render)(std::string_view)) {
  // Plain text renders every kind of token as its text.
  if (FPlainText)
    AsPlainText().RawWrite(Text);
  else
    (this->*Render)(Text);
  TokenWritten();
}

void TSQLBuilder::WriteKeyword(std::string_view Text) { WriteToken(Text, &TSQLBuilder::WriteKeywordInternal); }
void TSQLBuilder::WriteIdentifierText(std::string_view Text) {
  WriteToken(Text, &TSQLBuilder::WriteIdentifierInternal);
}
void TSQLBuilder::WriteSymbol(std::string_view Text) { WriteToken(Text, &TSQLBuilder::WriteSymbolInternal); }
void TSQLBuilder::WriteNumber(std::string_view Text) { WriteToken(Text, &TSQLBuilder::WriteNumberInternal); }
void TSQLBuilder::WriteString(std::string_view Text) { WriteToken(Text, &TSQLBuilder::WriteStringInternal); }

// The shared writer behind one-line texts (GetSimpleSQL and the like). Callers reset it,
// write with MultiLine false and take its text before anything else uses it.
TSQLBuilderPlainText& SimpleSQLBuilder();
