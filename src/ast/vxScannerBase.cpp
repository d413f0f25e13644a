#include "vxScannerBase.h"

#include "vxCommon.h"

#include <limits>

// Only ASCII letters fold: the scanner's keyword matching must not depend on a locale.
const std::array<int16_t, 257> TvxBaseScanner::LowerChars = [] {
  std::array<int16_t, 257> Table{};
  for (int16_t C = 0; C <= 256; ++C) Table[static_cast<size_t>(C)] = (C >= 'A' && C <= 'Z') ? C + ('a' - 'A') : C;
  return Table;
}();

void TvxBuffer::Fill(std::string_view Text) {
  // Positions are 32-bit throughout the token; refuse what they cannot address.
  if (Text.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max() - Padding))
    throw EvxException("The SQL text is too long to scan");
  FData.reserve(Text.size() + Padding);
  FData.assign(Text);
  FData.append(static_cast<size_t>(Padding), '\0');
  FLength = static_cast<int32_t>(Text.size());
  FPosition = -1;  // so that SetPos(0) below always takes effect
  SetPos(0);
}

std::string TvxBuffer::GetString(int32_t Begin, int32_t End) const {
  const auto Clamp = [this](int32_t Value) { return Value < 0 ? 0 : (Value > FLength ? FLength : Value); };
  Begin = Clamp(Begin);
  End = Clamp(End);
  if (Begin >= End) return std::string();
  return FData.substr(static_cast<size_t>(Begin), static_cast<size_t>(End - Begin));
}

void TvxBaseScanner::Init(std::string_view Text) {
  FTokens.clear();
  FBuffer.Fill(Text);
  FPos = -1;
  FLine = 1;
  FLineStart = 0;
  NextCh();
  FIgnore.fill(false);
  FIgnore[' '] = true;
  InitInternal();

  // SQL averages four to six bytes per token. Reserving for one token per three bytes spares
  // the vector its regrowth (a copy of every token) on any realistic text; the pages of the
  // reserve that stay unused are never touched.
  FTokens.reserve(Text.size() / 3 + 2);
  ReadTokens();
  FTokens.back().Val = "EOF";
}

void TvxBaseScanner::ReadTokens() {
  do {
    FTokens.push_back(NextToken());
  } while (FTokens.back().Kind != EOFKind);
}

void TvxBaseScanner::ReadLineEnd() {
  if (FCh == 10) {
    // LF CR: the LF is an ordinary character and the CR that follows counts the line.
    if (FBuffer.Peek() == 13) return;
    FCh = 13;
  } else if (FBuffer.Peek() == 10) {
    FBuffer.Read();  // CR LF is one character for the counter
  }
  ++FLine;
  FLineStart = FPos + 1;
}

const TvxToken& TvxBaseScanner::GetLastToken() const {
  static const TvxToken EndBeforeInit{EOFKind, 0, 1, 1, 0, "EOF"};
  return FTokens.empty() ? EndBeforeInit : FTokens.back();
}
