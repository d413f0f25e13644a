// A scanner for the tiny test grammars: every character but a blank is one token.
#pragma once

#include "TinyTokens.h"
#include "vxScannerBase.h"

class TTinyScanner final : public TvxBaseScanner {
protected:
  void CheckLiteral(TvxTokenRecord&) const override {}
  void InitInternal() override {}
  TvxTokenRecord NextToken() override {
    while (FCh == ' ') NextCh();
    TvxTokenRecord Token;
    StartToken(Token);
    Token.Kind = KindOf(FCh);
    if (Token.Kind != tiny::tkEnd) NextCh();
    EndToken(Token);
    return Token;
  }

private:
  static int32_t KindOf(int32_t Ch) {
    switch (Ch) {
      case TvxBuffer::EndOfText:
        return tiny::tkEnd;
      case 'a':
        return tiny::tkA;
      case 'b':
        return tiny::tkB;
      case 'c':
        return tiny::tkC;
      case 'd':
        return tiny::tkD;
      case 'x':
        return tiny::tkX;
      case '(':
        return tiny::tkLParen;
      case ')':
        return tiny::tkRParen;
      case ',':
        return tiny::tkComma;
      case '=':
        return tiny::tkEqual;
      case '.':
        return tiny::tkDot;
      default:
        return Ch >= '0' && Ch <= '9' ? tiny::tkNumber : tiny::tkIllegal;
    }
  }
};
