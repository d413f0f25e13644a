// The parser framework's public face: the parse error, the message collector, and the base
// class of every dialect's generated parser with its ten start operations.
#pragma once

#include "vxCommon.h"
#include "vxParserPatterns.h"
#include "vxScannerBase.h"

#include <cstdint>
#include <memory>
#include <string>

class TastSyntaxProvider;
class TSQLDatabaseObject;
class TSQLExpressionItem;
class TSQLSelectItem;
class TSQLSelectStatement;

// A text that does not parse: the message and the token that no parse path could get past.
// The token's data are copied, so the error outlives the scanner. Like the framework's
// exception fields these are plain public data that handlers read directly.
class EvxSQLError : public EvxException {
public:
  // Without a token the position stays 0 and the text empty.
  explicit EvxSQLError(const std::string& Message, const TvxToken* Token = nullptr);

  int32_t TokenPos = 0;      // 0-based character index (a CR LF pair counts once)
  int32_t TokenCol = 0;      // 1-based column
  int32_t TokenLine = 0;     // 1-based line
  std::string TokenText;     // the token as written ("EOF" for the end of the text)
  uint32_t TokenOffset = 0;  // byte offset of the token in the text
};

// Ends an operation without a message of its own (the framework's silent abort).
class EvxAbort : public EvxException {
public:
  EvxAbort() : EvxException("Operation aborted") {}
};

// Collects formatted parser messages. The parse driver reports through EvxSQLError instead;
// this is for dialects whose actions want to gather several messages.
class TvxParserErrors {
public:
  // Records "SQL Syntax error" (N is not used).
  void SynErr(int Line, int Col, int N);
  // Records "error " and N.
  void SemErr(int Line, int Col, int N);
  // Records GetFormat() filled with Line, Col and Text.
  void Error(int Line, int Col, const std::string& Text);
  // Records Text unchanged, then raises EvxAbort.
  [[noreturn]] void Exception(const std::string& Text);

  // "line %d col %d: %s" unless changed.
  const std::string& GetFormat() const { return FFormat; }
  void SetFormat(std::string Format) { FFormat = std::move(Format); }
  const TvxStringList& GetMessages() const { return FMessages; }

private:
  std::string FFormat = "line %d col %d: %s";
  TvxStringList FMessages;
};

// Base of a dialect's parser: the way calculation and replay of TvxWayParser plus the dialect's
// start operations. Each WayCalc operation runs the way calculation of one start production on
// the given ways; the matching replay operation builds the tree of the path chosen by
// CalculateWay and hands it to the caller.
class TvxBaseParser : public TvxWayParser {
public:
  // Scanner (initialised) and SyntaxProvider are links and must outlive the parser; every node
  // the replay builds is created with SyntaxProvider.
  TvxBaseParser(TvxBaseScanner* Scanner, TastSyntaxProvider* SyntaxProvider, int KindCount);

  virtual void ParseSelectWayCalc(TvxWays& Ways) = 0;
  virtual std::unique_ptr<TSQLSelectStatement> ParseSelect() = 0;
  virtual void ParseObjectNameWayCalc(TvxWays& Ways) = 0;
  virtual std::unique_ptr<TSQLDatabaseObject> ParseObjectName() = 0;
  virtual void ParseExpressionWayCalc(TvxWays& Ways) = 0;
  virtual std::unique_ptr<TSQLExpressionItem> ParseExpression() = 0;
  virtual void ParseSelectItemWayCalc(TvxWays& Ways) = 0;
  virtual std::unique_ptr<TSQLSelectItem> ParseSelectItem() = 0;
  virtual void ParseLogicalExpressionWayCalc(TvxWays& Ways) = 0;
  virtual std::unique_ptr<TSQLExpressionItem> ParseLogicalExpression() = 0;

  // True (the default): every predicate needs its left operand. False lets a condition such
  // as "> 5" or "IS NULL" stand without it, for the whole parse.
  bool GetRequireLeftOperand() const { return FRequireLeftOperand; }
  void SetRequireLeftOperand(bool RequireLeftOperand) { FRequireLeftOperand = RequireLeftOperand; }
  TastSyntaxProvider* GetSyntaxProvider() const { return FSyntaxProvider; }

protected:
  TastSyntaxProvider* FSyntaxProvider;
  bool FRequireLeftOperand = true;
};
