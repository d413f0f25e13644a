#include "vxSQLBuilder.h"

#include "vxCommon.h"
#include "vxSyntaxProvider.h"

void TSQLBuilder::ResetBuilder() {
  ResetBuilderInternal();
  FAtLineStart = true;
  FAfterSpace = true;
}

void TSQLBuilder::Space() {
  if (!FAfterSpace) SpaceInternal();
  FAfterSpace = true;
}

void TSQLBuilder::SpaceForce() {
  SpaceInternal();
  FAfterSpace = true;
}

void TSQLBuilder::NewLine() {
  if (!FAtLineStart) NewLineInternal();
  FAtLineStart = true;
  FAfterSpace = true;
}

void TSQLBuilder::NewLineOrSpace(bool MultiLine) {
  if (MultiLine)
    NewLine();
  else
    Space();
}

void TSQLBuilder::WriteKeyword(std::string_view Text) {
  WriteKeywordInternal(Text);
  FAtLineStart = FAfterSpace = false;
}

void TSQLBuilder::WriteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider) {
  if (IsPlainIdentifier(Name) && (SyntaxProvider == nullptr || !SyntaxProvider->IsReservedWord(Name)))
    WriteIdentifierInternal(Name);
  else
    WriteIdentifierInternal(QuoteIdentifier(Name, SyntaxProvider));
  FAtLineStart = FAfterSpace = false;
}

void TSQLBuilder::WriteSymbol(std::string_view Text) {
  WriteSymbolInternal(Text);
  FAtLineStart = FAfterSpace = false;
}

void TSQLBuilder::WriteNumber(std::string_view Text) {
  WriteNumberInternal(Text);
  FAtLineStart = FAfterSpace = false;
}

void TSQLBuilder::WriteString(std::string_view Text) {
  WriteStringInternal(Text);
  FAtLineStart = FAfterSpace = false;
}

bool TSQLBuilder::IsPlainIdentifier(std::string_view Name) {
  if (Name.empty()) return false;
  auto IsLetter = [](char C) { return (C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || C == '_'; };
  if (!IsLetter(Name[0])) return false;
  for (char C : Name)
    if (!IsLetter(C) && !(C >= '0' && C <= '9')) return false;
  return true;
}

bool TSQLBuilder::IsDelimitedIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider) {
  auto Enclosed = [Name](std::string_view Begin, std::string_view End) {
    return !Begin.empty() && !End.empty() && Name.size() >= Begin.size() + End.size() &&
           Name.substr(0, Begin.size()) == Begin && Name.substr(Name.size() - End.size()) == End;
  };
  if (SyntaxProvider != nullptr && Enclosed(SyntaxProvider->GetQuoteBegin(), SyntaxProvider->GetQuoteEnd()))
    return true;
  return Enclosed("[", "]") || Enclosed("'", "'");
}

std::string TSQLBuilder::QuoteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider) {
  bool Plain = IsPlainIdentifier(Name) && (SyntaxProvider == nullptr || !SyntaxProvider->IsReservedWord(Name));
  if (Plain || SyntaxProvider == nullptr || IsDelimitedIdentifier(Name, SyntaxProvider)) return std::string(Name);
  return SyntaxProvider->GetQuoteBegin() + std::string(Name) + SyntaxProvider->GetQuoteEnd();
}

// In plain text the separators pass through the public WriteSymbol, so they clear both flags
// before Space/NewLine set their own.
void TSQLBuilderPlainText::SpaceInternal() { WriteSymbol(" "); }
void TSQLBuilderPlainText::NewLineInternal() { WriteSymbol(FNewLineText); }

void TSQLBuilderHTML::WriteKeywordInternal(std::string_view Text) {
  RawWrite(FKeywordBegin);
  RawWrite(vx::LowerCase(Text));
  RawWrite(FKeywordEnd);
}

void TSQLBuilderHTML::WriteIdentifierInternal(std::string_view Text) {
  RawWrite(FIdentifierBegin);
  RawWrite(Text);
  RawWrite(FIdentifierEnd);
}

void TSQLBuilderHTML::WriteSymbolInternal(std::string_view Text) {
  RawWrite(FSymbolBegin);
  RawWrite(Text);
  RawWrite(FSymbolEnd);
}

TSQLBuilderPlainText& SimpleSQLBuilder() {
  static std::string Stream;
  static TSQLBuilderPlainText Builder(Stream);
  return Builder;
}
