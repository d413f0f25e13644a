// The token-level SQL writer. Nodes say what kind of token they write and where a separator may
// go; the writer renders each kind and collapses redundant separators. All identifier quoting
// happens in WriteIdentifier and nowhere else.
#pragma once

#include <string>
#include <string_view>

class TastSyntaxProvider;

class TSQLBuilder {
public:
  TSQLBuilder() = default;
  virtual ~TSQLBuilder() = default;
  TSQLBuilder(const TSQLBuilder&) = delete;
  TSQLBuilder& operator=(const TSQLBuilder&) = delete;

  // Empties the output and returns to the state of an empty text (no separator can follow).
  void ResetBuilder();
  void Space();
  void SpaceForce();
  void NewLine();
  void NewLineOrSpace(bool MultiLine);
  void WriteKeyword(std::string_view Text);
  // Writes one name part. Already delimited names ("x", [x], 'x') are written as they are;
  // other names are quoted with the dialect's quotes when they are not plain identifiers or
  // are reserved words of the dialect. SyntaxProvider may be null only for plain names.
  void WriteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider);
  void WriteSymbol(std::string_view Text);
  void WriteNumber(std::string_view Text);
  void WriteString(std::string_view Text);

  bool IsAtLineStart() const { return FAtLineStart; }
  bool IsAfterSpace() const { return FAfterSpace; }

  // A name made of ASCII letters, digits and underscores that does not start with a digit.
  static bool IsPlainIdentifier(std::string_view Name);
  // A name that already carries its delimiters: the dialect's quotes, [ ] or single quotes.
  static bool IsDelimitedIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider);
  // The text WriteIdentifier writes for Name, without rendering.
  static std::string QuoteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider);

protected:
  virtual void ResetBuilderInternal() = 0;
  virtual void SpaceInternal() = 0;
  virtual void NewLineInternal() = 0;
  virtual void WriteKeywordInternal(std::string_view Text) = 0;
  virtual void WriteIdentifierInternal(std::string_view Text) = 0;
  virtual void WriteSymbolInternal(std::string_view Text) = 0;
  virtual void WriteNumberInternal(std::string_view Text) = 0;
  virtual void WriteStringInternal(std::string_view Text) = 0;

private:
  bool FAtLineStart = false;
  bool FAfterSpace = false;
};

// Writes into a caller-owned string buffer.
class TSQLBuilderStream : public TSQLBuilder {
public:
  explicit TSQLBuilderStream(std::string& Stream) : FStream(&Stream) {}
  // The text written since the last reset.
  const std::string& GetText() const { return *FStream; }

protected:
  void RawWrite(std::string_view Text) { FStream->append(Text); }
  void ResetBuilderInternal() override { FStream->clear(); }

private:
  std::string* FStream;  // not owned
};

// Plain SQL text; line breaks are CR LF.
class TSQLBuilderPlainText : public TSQLBuilderStream {
public:
  explicit TSQLBuilderPlainText(std::string& Stream) : TSQLBuilderStream(Stream) {}

protected:
  void SpaceInternal() override;
  void NewLineInternal() override;
  void WriteKeywordInternal(std::string_view Text) override { RawWrite(Text); }
  void WriteIdentifierInternal(std::string_view Text) override { RawWrite(Text); }
  void WriteSymbolInternal(std::string_view Text) override { RawWrite(Text); }
  void WriteNumberInternal(std::string_view Text) override { RawWrite(Text); }
  void WriteStringInternal(std::string_view Text) override { RawWrite(Text); }

private:
  std::string FNewLineText = "\r\n";
};

// HTML: keywords bold and lower-case, identifiers italic, symbols coloured, "<br/>" for line
// breaks. Nothing is escaped.
class TSQLBuilderHTML : public TSQLBuilderStream {
public:
  explicit TSQLBuilderHTML(std::string& Stream) : TSQLBuilderStream(Stream) {}

protected:
  void SpaceInternal() override { RawWrite(" "); }
  void NewLineInternal() override { RawWrite("<br/>"); }
  void WriteKeywordInternal(std::string_view Text) override;
  void WriteIdentifierInternal(std::string_view Text) override;
  void WriteSymbolInternal(std::string_view Text) override;
  void WriteNumberInternal(std::string_view Text) override { RawWrite(Text); }
  void WriteStringInternal(std::string_view Text) override { RawWrite(Text); }

private:
  std::string FKeywordBegin = "<b>", FKeywordEnd = "</b>";
  std::string FIdentifierBegin = "<i>", FIdentifierEnd = "</i>";
  std::string FSymbolBegin = "<font color=#7f7fff>", FSymbolEnd = "</font>";
};

// The shared writer behind one-line texts (GetSimpleSQL and the like). Callers reset it,
// write with MultiLine false and take its text before anything else uses it.
TSQLBuilderPlainText& SimpleSQLBuilder();
