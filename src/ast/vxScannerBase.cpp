#include "vxScannerBase.h"

#include "vxCommon.h"

#include <limits>

void TvxBuffer::Fill(std::string_view Text) {
  // Positions are 32-bit throughout the token; refuse what they cannot address.
  if (Text.size() >= static_cast<size_t>(std::numeric_limits<int32_t>::max()))
    throw EvxException("The SQL text is too long to scan");
  FData.assign(Text);
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
  FOldEols = 0;
  NextCh();
  FIgnore.fill(false);
  FIgnore[' '] = true;
  InitInternal();

  // SQL averages five to seven bytes per token; an estimate on the high side spares the
  // vector its regrowth on typical text without reserving much more than it needs.
  FTokens.reserve(Text.size() / 5 + 2);
  do {
    FTokens.push_back(NextToken());
  } while (FTokens.back().Kind != EOFKind);
  FTokens.back().Val = "EOF";
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

void TvxBaseScanner::RestoreReader(const TvxReaderState& State) {
  FCh = State.Ch;
  FValCh = State.ValCh;
  FPos = State.Pos;
  FLine = State.Line;
  FLineStart = State.LineStart;
  FChOffset = State.ChOffset;
  FBuffer.SetPos(State.BufferPos);
}

const TvxToken& TvxBaseScanner::GetLastToken() const {
  static const TvxToken EndBeforeInit{EOFKind, 0, 1, 1, 0, "EOF"};
  return FTokens.empty() ? EndBeforeInit : FTokens.back();
}
