#include "vxParserBase.h"

EvxSQLError::EvxSQLError(const std::string& Message, const TvxToken* Token) : EvxException(Message) {
  if (Token == nullptr) return;
  TokenPos = Token->Pos;
  TokenCol = Token->Col;
  TokenLine = Token->Line;
  TokenText = std::string(Token->Val);
  TokenOffset = Token->Offset;
}

// --- TvxParserErrors ----------------------------------------------------------------------------

void TvxParserErrors::SynErr(int Line, int Col, int) { Error(Line, Col, "SQL Syntax error"); }

void TvxParserErrors::SemErr(int Line, int Col, int N) { Error(Line, Col, "error " + std::to_string(N)); }

void TvxParserErrors::Error(int Line, int Col, const std::string& Text) {
  // The format is a printf format with %d, %d and %s in this order; anything else in it is
  // copied. Formatting by hand keeps a changed format from reading arguments it was not given.
  std::string Result;
  int Argument = 0;
  for (size_t I = 0; I < FFormat.size(); ++I) {
    if (FFormat[I] != '%' || I + 1 >= FFormat.size()) {
      Result += FFormat[I];
      continue;
    }
    const char Directive = FFormat[++I];
    if (Directive == 'd' && Argument < 2) {
      Result += std::to_string(Argument++ == 0 ? Line : Col);
    } else if (Directive == 's' && Argument == 2) {
      Result += Text;
      ++Argument;
    } else if (Directive == '%') {
      Result += '%';
    } else {
      Result += '%';
      Result += Directive;
    }
  }
  FMessages.Add(std::move(Result));
}

void TvxParserErrors::Exception(const std::string& Text) {
  FMessages.Add(Text);
  throw EvxAbort();
}

// --- TvxBaseParser ------------------------------------------------------------------------------

TvxBaseParser::TvxBaseParser(TvxBaseScanner* Scanner, TastSyntaxProvider* SyntaxProvider, int KindCount)
    : TvxWayParser(*Scanner, KindCount), FSyntaxProvider(SyntaxProvider) {}
