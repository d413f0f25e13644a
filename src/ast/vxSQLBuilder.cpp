#include "vxSQLBuilder.h"

#include "vxCommon.h"
#include "vxSyntaxProvider.h"

#include <array>

void TSQLBuilder::ResetBuilder() {
  ResetBuilderInternal();
  FAtLineStart = true;
  FAfterSpace = true;
}

void TSQLBuilder::NewLine() {
  if (!FAtLineStart) NewLineInternal();
  FAtLineStart = true;
  FAfterSpace = true;
}

namespace {

// Per byte: nbFollow for the bytes of a plain identifier (ASCII letters, digits and "_"), also
// nbStart for those it may start with (all but the digits).
enum TNameByte : uint8_t { nbFollow = 1, nbStart = 2 };

constexpr std::array<uint8_t, 256> MakeNameBytes() {
  std::array<uint8_t, 256> Bytes{};
  for (int C = 'a'; C <= 'z'; ++C)
    Bytes[static_cast<size_t>(C)] = Bytes[static_cast<size_t>(C - 32)] = nbStart | nbFollow;
  for (int C = '0'; C <= '9'; ++C) Bytes[static_cast<size_t>(C)] = nbFollow;
  Bytes['_'] = nbStart | nbFollow;
  return Bytes;
}
constexpr std::array<uint8_t, 256> NameBytes = MakeNameBytes();

// Every name the writer writes passes here. Nearly all are plain, so the loop reads every byte
// anyway: it gathers the table entries rather than branching on each.
inline bool IsPlainName(std::string_view Name) {
  if (Name.empty()) return false;
  const auto* Bytes = reinterpret_cast<const uint8_t*>(Name.data());
  unsigned Plain = NameBytes[Bytes[0]] >> 1;
#pragma GCC unroll 4
  for (size_t I = 1; I < Name.size(); ++I) Plain &= NameBytes[Bytes[I]];
  return Plain != 0;
}

inline bool IsReservedName(std::string_view Name, const TastSyntaxProvider& SyntaxProvider) {
  const TvxReservedWordFilter* Filter = SyntaxProvider.GetReservedWordFilter();
  return (Filter == nullptr || Filter->MayHold(Name)) && SyntaxProvider.IsReservedWord(Name);
}

}  // namespace

void TSQLBuilder::WriteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider) {
  // A reserved word is a plain identifier and cannot be delimited, so it ends up quoted.
  if (SyntaxProvider == nullptr ||
      (IsPlainName(Name) ? !IsReservedName(Name, *SyntaxProvider) : IsDelimitedIdentifier(Name, SyntaxProvider)))
    WriteIdentifierText(Name);
  else
    WriteIdentifierText(QuoteIdentifier(Name, SyntaxProvider));
}

bool TSQLBuilder::IsPlainIdentifier(std::string_view Name) { return IsPlainName(Name); }

namespace {

struct TDelimiters {
  std::string_view Begin, End;
};

// The delimiters a stored part may carry: the dialect's quotes and those the SQL-92 scanner
// reads (double quotes and brackets for names, single quotes for a string used as an alias).
template <class TVisit>
bool ForEachDelimiters(const TastSyntaxProvider* SyntaxProvider, TVisit Visit) {
  if (SyntaxProvider != nullptr) {
    const std::string Begin = SyntaxProvider->GetQuoteBegin(), End = SyntaxProvider->GetQuoteEnd();
    if (!Begin.empty() && !End.empty() && Visit(TDelimiters{Begin, End})) return true;
  }
  for (const TDelimiters& Delimiters : {TDelimiters{"\"", "\""}, TDelimiters{"[", "]"}, TDelimiters{"'", "'"}})
    if (Visit(Delimiters)) return true;
  return false;
}

// Whether Name is one delimited text between Delimiters: from the opening delimiter to the next
// closing one, re-opened by an opening delimiter right after it, ending exactly at the end.
bool IsOneDelimited(std::string_view Name, const TDelimiters& D) {
  if (!Name.starts_with(D.Begin)) return false;
  size_t Pos = D.Begin.size();
  for (;;) {
    const size_t Close = Name.find(D.End, Pos);
    if (Close == std::string_view::npos) return false;
    Pos = Close + D.End.size();
    if (Pos == Name.size()) return true;
    if (Name.substr(Pos).starts_with(D.Begin))
      Pos += D.Begin.size();
    else
      return false;
  }
}

}  // namespace

bool TSQLBuilder::MayBeDelimited(std::string_view Name) {
  if (Name.empty()) return false;
  const char C = Name[0];
  return !((C >= 'A' && C <= 'Z') || (C >= 'a' && C <= 'z') || (C >= '0' && C <= '9') || C == '_');
}

bool TSQLBuilder::IsDelimitedIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider) {
  if (!MayBeDelimited(Name)) return false;
  return ForEachDelimiters(SyntaxProvider, [Name](const TDelimiters& D) { return IsOneDelimited(Name, D); });
}

std::string TSQLBuilder::FoldName(std::string_view Name, TvxNameFolding Folding) {
  switch (Folding) {
    case TvxNameFolding::nfLower:
      return vx::LowerCase(Name);
    case TvxNameFolding::nfUpper:
      return vx::UpperCase(Name);
    case TvxNameFolding::nfNone:
      break;
  }
  return std::string(Name);
}

std::string TSQLBuilder::QuoteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider,
                                         TvxNameFolding Folding) {
  if (SyntaxProvider == nullptr) return std::string(Name);
  if (IsPlainName(Name) && !IsReservedName(Name, *SyntaxProvider) && FoldName(Name, Folding) == Name)
    return std::string(Name);
  const std::string Begin = SyntaxProvider->GetQuoteBegin(), End = SyntaxProvider->GetQuoteEnd();
  if (Begin.empty() || End.empty()) return std::string(Name);
  std::string Result = Begin;
  Result.reserve(Name.size() + Begin.size() + End.size() + 2);
  for (size_t Pos = 0; Pos < Name.size();) {
    if (Name.compare(Pos, End.size(), End) == 0) {
      // The scanner reads a closing quote followed by an opening one as a quote inside.
      Result += End;
      Result += Begin;
      Pos += End.size();
    } else {
      Result += Name[Pos++];
    }
  }
  return Result + End;
}

std::string TSQLBuilder::UnquoteIdentifier(std::string_view Name, const TastSyntaxProvider* SyntaxProvider) {
  std::string Result(Name);
  if (!MayBeDelimited(Name)) return Result;
  ForEachDelimiters(SyntaxProvider, [&](const TDelimiters& D) {
    if (!IsOneDelimited(Name, D)) return false;
    Result.clear();
    std::string_view Inner = Name.substr(D.Begin.size(), Name.size() - D.Begin.size() - D.End.size());
    // Inside, a closing delimiter is always followed by an opening one: the two stand for the
    // closing delimiter once.
    for (size_t Pos = 0; Pos < Inner.size();) {
      if (Inner.compare(Pos, D.End.size(), D.End) == 0) {
        Result += D.End;
        Pos += D.End.size() + D.Begin.size();
      } else {
        Result += Inner[Pos++];
      }
    }
    return true;
  });
  return Result;
}

void TSQLBuilderStream::ResetBuilderInternal() {
  FHeldSize = 0;
  FStream->clear();
  // One statement's text at once rather than the doubling steps up to it.
  constexpr size_t TypicalStatement = 256;
  if (FStream->capacity() < TypicalStatement) FStream->reserve(TypicalStatement);
}

void TSQLBuilderStream::EndBatchInternal() {
  Flush();
  FHeldLimit = 0;
}

void TSQLBuilderStream::Flush() {
  FStream->append(FHeld, FHeldSize);
  FHeldSize = 0;
}

void TSQLBuilderStream::RawWriteThrough(std::string_view Text) {
  Flush();
  FStream->append(Text);
}

std::string TSQLBuilderHTML::Escape(std::string_view Text, bool InAttribute) {
  std::string Result;
  Result.reserve(Text.size());
  for (char C : Text) {
    switch (C) {
      case '<':
        Result += "&lt;";
        break;
      case '>':
        Result += "&gt;";
        break;
      case '&':
        Result += "&amp;";
        break;
      case '"':
        Result += InAttribute ? "&quot;" : "\"";
        break;
      default:
        Result += C;
        break;
    }
  }
  return Result;
}

void TSQLBuilderHTML::WriteKeywordInternal(std::string_view Text) {
  RawWrite(FKeywordBegin);
  RawWrite(Escape(vx::LowerCase(Text)));
  RawWrite(FKeywordEnd);
}

void TSQLBuilderHTML::WriteIdentifierInternal(std::string_view Text) {
  RawWrite(FIdentifierBegin);
  RawWrite(Escape(Text));
  RawWrite(FIdentifierEnd);
}

void TSQLBuilderHTML::WriteSymbolInternal(std::string_view Text) {
  RawWrite(FSymbolBegin);
  RawWrite(Escape(Text));
  RawWrite(FSymbolEnd);
}

TSQLBuilderPlainText& SimpleSQLBuilder() {
  static std::string Stream;
  static TSQLBuilderPlainText Builder(Stream);
  return Builder;
}
