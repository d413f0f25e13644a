// The SQL-92 scanner and the scanner base: token kinds and texts, keyword numbers, positions,
// exact token texts, locale independence, huge inputs and invariants over random bytes.
#include "SQL92Scanner.h"
#include "vxASTSelect.h"
#include "vxParserBase.h"
#include "vxSQL92SyntaxProvider.h"
#include "vxSqlCorpus.h"
#include "vxSyntaxProvider.h"
#include "vxTestSql.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <random>
#include <sstream>
#include <string>
#include <vector>

using namespace sql92;

namespace {

struct TTok {
  int32_t Kind;
  std::string Val;
  bool operator==(const TTok&) const = default;
};

std::ostream& operator<<(std::ostream& Out, const TTok& Token) { return Out << Token.Kind << " [" << Token.Val << "]"; }

// The tokens of Text without the end token.
std::vector<TTok> Scan(std::string_view Text) {
  SQL92Scanner Scanner;
  Scanner.Init(Text);
  std::vector<TTok> Result;
  for (int I = 0; I + 1 < Scanner.GetTokenCount(); ++I)
    Result.push_back({Scanner.GetTokenKind(I), std::string(Scanner.GetTokenText(I))});
  return Result;
}

struct TKindCase {
  std::string Text;
  std::vector<TTok> Expected;
};

TEST(SQL92ScannerTest, TokenKindsAndTexts) {
  const std::vector<TKindCase> Cases = {
      {"SELECT a FROM t", {{kwSelect, "SELECT"}, {ident, "a"}, {kwFrom, "FROM"}, {ident, "t"}}},
      {"select Name FROM T", {{kwSelect, "select"}, {kwName, "Name"}, {kwFrom, "FROM"}, {ident, "T"}}},
      {"_x1 x_ c C", {{ident, "_x1"}, {ident, "x_"}, {kwC, "c"}, {kwC, "C"}}},
      // operators
      {"x<>1", {{ident, "x"}, {symNotEqual, "<>"}, {intNumber, "1"}}},
      {"a!b", {{ident, "a"}, {NoSymKind, "!"}, {ident, "b"}}},
      {"<> != <= !> < >= !< >",
       {{symNotEqual, "<>"},
        {symBangEqual, "!="},
        {symLessEqual, "<="},
        {symNotGreater, "!>"},
        {symLess, "<"},
        {symGreaterEqual, ">="},
        {symNotLess, "!<"},
        {symGreater, ">"}}},
      {"a<=>b", {{ident, "a"}, {symLessEqual, "<="}, {symGreater, ">"}, {ident, "b"}}},
      {"; , ( ) * = + - / % ~",
       {{symSemicolon, ";"},
        {symComma, ","},
        {symLParen, "("},
        {symRParen, ")"},
        {symStar, "*"},
        {symEqual, "="},
        {symPlus, "+"},
        {symMinus, "-"},
        {symSlash, "/"},
        {symPercent, "%"},
        {symTilde, "~"}}},
      {"t.*", {{ident, "t"}, {symDotStar, ".*"}}},
      {"t . *", {{ident, "t"}, {symDot, "."}, {symStar, "*"}}},
      // numbers
      {"1.5e-3 1.5E+10 0.25 .5 .5e3",
       {{realNumber, "1.5e-3"},
        {realNumber, "1.5E+10"},
        {realNumber, "0.25"},
        {realNumber, ".5"},
        {realNumber, ".5e3"}}},
      {"1. ", {{NoSymKind, "1."}}},
      {"1.*", {{NoSymKind, "1."}, {symStar, "*"}}},
      {"1e5", {{intNumber, "1"}, {ident, "e5"}}},
      {"007 0", {{intNumber, "007"}, {intNumber, "0"}}},
      {"0x1F 0X1f", {{hexNumber, "0x1F"}, {hexNumber, "0X1f"}}},
      {"0x 0xg", {{NoSymKind, "0x"}, {NoSymKind, "0x"}, {ident, "g"}}},
      {"00x1", {{intNumber, "00"}, {ident, "x1"}}},
      {"1.5e", {{NoSymKind, "1.5e"}}},
      {"1.5e+x", {{NoSymKind, "1.5e+"}, {ident, "x"}}},
      {"1.5ex", {{NoSymKind, "1.5e"}, {ident, "x"}}},
      {"2.5.3", {{realNumber, "2.5"}, {realNumber, ".3"}}},
      // strings and delimited names
      {"'it''s'", {{string, "'it''s'"}}},
      {"'' 'x' 'y'", {{string, "''"}, {string, "'x'"}, {string, "'y'"}}},
      {"'a'''", {{string, "'a'''"}}},
      {"'a''", {{NoSymKind, "'a''"}}},
      {"'abc", {{NoSymKind, "'abc"}}},
      {"[my col] \"my col\"", {{quotedIdent, "[my col]"}, {quotedIdent, "\"my col\""}}},
      {"[a][b] [a] [b]", {{quotedIdent, "[a][b]"}, {quotedIdent, "[a]"}, {quotedIdent, "[b]"}}},
      {"[a]]", {{quotedIdent, "[a]"}, {NoSymKind, "]"}}},
      {"[a[b]", {{quotedIdent, "[a[b]"}}},
      {"[a", {{NoSymKind, "[a"}}},
      {"\"a\"\"b\"", {{quotedIdent, "\"a\"\"b\""}}},
      {"\"a", {{NoSymKind, "\"a"}}},
      // braced date/time literals
      {"{d '2000-01-01'}", {{dateTimeLiteral, "{d '2000-01-01'}"}}},
      {"{ ts '2000-01-01 10:00:00' }", {{dateTimeLiteral, "{ ts '2000-01-01 10:00:00' }"}}},
      {"{t'10:00'} {D N'x'} {ts'a''b'}",
       {{dateTimeLiteral, "{t'10:00'}"}, {dateTimeLiteral, "{D N'x'}"}, {dateTimeLiteral, "{ts'a''b'}"}}},
      {"{fn x}", {{NoSymKind, "{"}, {ident, "fn"}, {ident, "x"}, {NoSymKind, "}"}}},
      {"{d  'x'}", {{NoSymKind, "{d "}, {string, "'x'"}, {NoSymKind, "}"}}},
      {"{d 'x'", {{NoSymKind, "{d 'x'"}}},
      {"{d 'x", {{NoSymKind, "{d 'x"}}},
      // parameters
      {"@p1 @ a @1x", {{param, "@p1"}, {param, "@"}, {ident, "a"}, {param, "@1x"}}},
      // illegal characters
      {"# $ & : ? \\ ] ^ ` | }",
       {{NoSymKind, "#"},
        {NoSymKind, "$"},
        {NoSymKind, "&"},
        {NoSymKind, ":"},
        {NoSymKind, "?"},
        {NoSymKind, "\\"},
        {NoSymKind, "]"},
        {NoSymKind, "^"},
        {NoSymKind, "`"},
        {NoSymKind, "|"},
        {NoSymKind, "}"}}},
      {"a$b#x", {{ident, "a"}, {NoSymKind, "$"}, {ident, "b"}, {NoSymKind, "#"}, {ident, "x"}}},
      {std::string("a\0b", 3), {{ident, "a"}, {NoSymKind, std::string(1, '\0')}, {ident, "b"}}},
      {"\x7f", {{NoSymKind, "\x7f"}}},
      // remarks and minus signs
      {"a -- remark\nb", {{ident, "a"}, {ident, "b"}}},
      {"a-b a - -b",
       {{ident, "a"}, {symMinus, "-"}, {ident, "b"}, {ident, "a"}, {symMinus, "-"}, {symMinus, "-"}, {ident, "b"}}},
      {"a-- remark", {{ident, "a"}}},
      {"--", {}},
      {"a -- 'x' -- [y\r\nb", {{ident, "a"}, {ident, "b"}}},
      {"a /b", {{ident, "a"}, {symSlash, "/"}, {ident, "b"}}},
      {std::string("a -- x\0y\nb", 10), {{ident, "a"}, {ident, "b"}}},
      {"\x01\x02\x1f\t\v\f a", {{ident, "a"}}},
  };
  for (const TKindCase& Case : Cases) EXPECT_EQ(Scan(Case.Text), Case.Expected) << "text: " << Case.Text;
}

// The keyword numbers the parser relies on, transcribed from the dialect's description.
const char* const KeywordList =
    "10 ORDER, 11 BY, 13 ASC, 14 DESC, 15 UNION, 16 EXCEPT, 17 INTERSECT, 18 ALL, 21 WHERE, 22 HAVING, 23 SELECT, "
    "24 DISTINCT, 25 GROUP, 29 AS, 30 FROM, 31 CROSS, 32 JOIN, 33 INNER, 34 LEFT, 35 RIGHT, 36 FULL, 37 OUTER, "
    "38 ON, 39 OR, 40 AND, 41 NOT, 42 IS, 43 NULL, 44 LIKE, 45 ESCAPE, 46 BETWEEN, 47 IN, 48 EXISTS, 49 SOME, "
    "50 ANY, 56 CURRENT_TIMESTAMP, 57 CURRENT_USER, 58 SESSION_USER, 59 SYSTEM_USER, 60 CASE, 61 WHEN, 62 THEN, "
    "63 ELSE, 64 END, 66 BIGINT, 67 INT8, 68 BIGSERIAL, 69 SERIAL8, 70 BIT, 71 VARBIT, 72 VARCHAR, 73 CHARACTER, "
    "74 CHAR, 75 INTERVAL, 76 NUMERIC, 77 DECIMAL, 78 BOOLEAN, 79 BOOL, 80 BOX, 81 BYTEA, 82 CIDR, 83 CIRCLE, "
    "84 DATE, 85 DOUBLE, 86 PRECISION, 87 FLOAT8, 88 INET, 89 INTEGER, 90 INT, 91 INT4, 92 LINE, 93 LSEG, "
    "94 MACADDR, 95 MONEY, 96 PATH, 97 POINT, 98 POLYGON, 99 REAL, 100 FLOAT4, 101 SMALLINT, 102 INT2, 103 SERIAL, "
    "104 SERIAL4, 105 TEXT, 106 TIME, 107 TIMETZ, 108 TIMESTAMP, 109 TIMESTAMPTZ, 110 VARYING, 111 WITHOUT, "
    "112 ZONE, 113 WITH, 114 AVG, 115 MAX, 116 MIN, 117 SUM, 118 COUNT, 119 CAST, 120 ADA, 121 C, 122 CATALOG_NAME, "
    "123 CHARACTER_SET_CATALOG, 124 CHARACTER_SET_NAME, 125 CHARACTER_SET_SCHEMA, 126 CLASS_ORIGIN, 127 COBOL, "
    "128 COLLATION_CATALOG, 129 COLLATION_NAME, 130 COLLATION_SCHEMA, 131 COLUMN_NAME, 132 COMMAND_FUNCTION, "
    "133 COMMITTED, 134 CONDITION_NUMBER, 135 CONNECTION_NAME, 136 CONSTRAINT_CATALOG, 137 CONSTRAINT_NAME, "
    "138 CONSTRAINT_SCHEMA, 139 CURSOR_NAME, 140 DATA, 141 DATETIME_INTERVAL_CODE, 142 DATETIME_INTERVAL_PRECISION, "
    "143 DYNAMIC_FUNCTION, 144 FORTRAN, 145 LENGTH, 146 MESSAGE_LENGTH, 147 MESSAGE_OCTET_LENGTH, 148 MESSAGE_TEXT, "
    "149 MORE, 150 MUMPS, 151 NAME, 152 NULLABLE, 153 NUMBER, 154 PASCAL, 155 PLI, 156 REPEATABLE, "
    "157 RETURNED_LENGTH, 158 RETURNED_OCTET_LENGTH, 159 RETURNED_SQLSTATE, 160 ROW_COUNT, 161 SCALE, "
    "162 SCHEMA_NAME, 163 SERIALIZABLE, 164 SERVER_NAME, 165 SUBCLASS_ORIGIN, 166 TABLE_NAME, 167 TYPE, "
    "168 UNCOMMITTED, 169 UNNAMED";

std::string MixCase(std::string Text) {
  for (size_t I = 0; I < Text.size(); I += 2)
    if (Text[I] >= 'A' && Text[I] <= 'Z') Text[I] = static_cast<char>(Text[I] + 32);
  return Text;
}

TEST(SQL92ScannerTest, EveryKeywordScansToItsNumber) {
  std::istringstream List(KeywordList);
  std::string Number, Word;
  int Count = 0;
  while (List >> Number >> Word) {
    if (Word.back() == ',') Word.pop_back();
    const int32_t Kind = std::stoi(Number);
    SCOPED_TRACE(Word);
    ASSERT_NE(GetSQL92KeywordText(Kind), nullptr);
    EXPECT_EQ(std::string(GetSQL92KeywordText(Kind)), Word);
    std::string Lower = Word;
    for (char& Ch : Lower) Ch = static_cast<char>(std::tolower(static_cast<unsigned char>(Ch)));
    for (const std::string& Written : {Word, Lower, MixCase(Word)}) {
      EXPECT_EQ(Scan(Written), (std::vector<TTok>{{Kind, Written}}));
      EXPECT_EQ(FindKeyword(Written), Kind);
    }
    // A keyword with one more letter is a name, and so is every beginning of it that is no
    // keyword itself: among them those that fill the look-up's 8-byte chunks exactly.
    EXPECT_EQ(Scan(Word + "x"), (std::vector<TTok>{{ident, Word + "x"}}));
    for (size_t Size = 1; Size < Word.size(); ++Size) {
      const std::string Part = Lower.substr(0, Size);
      EXPECT_EQ(Scan(Part)[0].Kind, FindKeyword(Part)) << Part;
    }
    EXPECT_EQ(IsSQL92ReservedWord(Lower), Kind < 120);
    ++Count;
  }
  EXPECT_EQ(Count, 148);
  int WithText = 0;
  for (int32_t Kind = 0; Kind < TokenKindCount; ++Kind) WithText += GetSQL92KeywordText(Kind) != nullptr;
  EXPECT_EQ(WithText, Count) << "a keyword kind that the list does not name";

  static_assert(FirstNonReservedKind == 120 && LastNonReservedKind == 169);
  static_assert(FirstTypeWordKind == 66 && LastTypeWordKind == 113);
  static_assert(FirstAggregateKind == 114 && LastAggregateKind == 118);
  static_assert(FirstComparisonKind == 170 && LastComparisonKind == 177 && NoSymKind == 178);
}

TEST(SQL92ScannerTest, ReservedWordsNeedQuotesNonReservedDoNot) {
  for (const char* Word : {"date", "TEXT", "count", "Line", "select", "cast", "with"})
    EXPECT_TRUE(IsSQL92ReservedWord(Word)) << Word;
  for (const char* Word : {"name", "TYPE", "data", "Length", "c", "foo", "", "selectx", "\"date\"", "[date]"})
    EXPECT_FALSE(IsSQL92ReservedWord(Word)) << Word;
  // Quoted, a reserved word is a name, never a keyword.
  EXPECT_EQ(Scan("\"date\" [count]"), (std::vector<TTok>{{quotedIdent, "\"date\""}, {quotedIdent, "[count]"}}));
  // Bytes beyond ASCII never fold onto a keyword's letters.
  EXPECT_FALSE(IsSQL92ReservedWord("\xC4\xB0N"));  // dotted capital I, N
  EXPECT_EQ(FindKeyword("in\x14"), ident);
}

struct TPosCase {
  std::string Text;
  int Index;  // token index; -1: the end token
  int32_t Pos, Line, Col;
  uint32_t Offset;
};

TEST(SQL92ScannerTest, Positions) {
  const std::vector<TPosCase> Cases = {
      {"", -1, 0, 1, 1, 0},
      {"a\r\nb", 1, 2, 2, 1, 3},  // CR LF counts once
      {"a\nb", 1, 2, 2, 1, 2},
      {"a\rb", 1, 2, 2, 1, 2},
      {"a\n\nb", 1, 3, 3, 1, 3},  // two LFs are two line ends
      {"a\r\n\r\nb", 1, 3, 3, 1, 5},
      {"a\n\rb", 1, 3, 2, 1, 3},  // LF CR: the LF is ordinary, the CR ends the line
      {"a\n\r\nb", 1, 3, 2, 1, 4},
      {"a\r\n", -1, 2, 2, 1, 3},
      {"\ta  b", 1, 4, 1, 5, 4},
      {"a -- remark\r\nb", 1, 12, 2, 1, 13},
      {"x\r\n\r\na - b", 2, 5, 3, 3, 7},  // the minus after CR LF line ends
      {"x\r\n\r\na - b", 3, 7, 3, 5, 9},
      {"a\r\n-\r\nb", 1, 2, 2, 1, 3},
      {"a\r\n-\r\nb", 2, 4, 3, 1, 6},
      {"a\r\n  -- c\r\n  b", 1, 11, 3, 3, 13},
      {"-\r\n-", 1, 2, 2, 1, 3},
      {"'x\r\ny' z", 1, 6, 2, 4, 7},  // line ends inside a literal count
      {"[a\rb] c", 1, 6, 2, 4, 6},
      {"{d\r\n'x'} z", 1, 8, 2, 6, 9},
      {"{d\r\n'x'} z", 0, 0, 1, 1, 0},
      {"a --x", -1, 5, 1, 6, 5},
  };
  for (const TPosCase& Case : Cases) {
    SQL92Scanner Scanner;
    Scanner.Init(Case.Text);
    const TvxToken Token = Scanner.GetToken(Case.Index);
    SCOPED_TRACE(testing::Message() << "text: " << Case.Text << " token " << Case.Index);
    EXPECT_EQ(Token.Pos, Case.Pos);
    EXPECT_EQ(Token.Line, Case.Line);
    EXPECT_EQ(Token.Col, Case.Col);
    EXPECT_EQ(Token.Offset, Case.Offset);
  }
}

TEST(SQL92ScannerTest, TokenTextIsTheSourceTextByteForByte) {
  // Line breaks inside literals and names come back as written, whatever their form.
  for (const std::string Text : {"'x\r\ny'", "'x\ry'", "'x\n\ry'", "[a\r\n\r\nb]", "\"a\nb\"", "{d\r\n'x'\n}"}) {
    const std::vector<TTok> Tokens = Scan(Text);
    ASSERT_EQ(Tokens.size(), 1u) << Text;
    EXPECT_EQ(Tokens[0].Val, Text);
  }
  // Bytes beyond ASCII pass through quotes unchanged, and are illegal outside them.
  EXPECT_EQ(Scan("'Gr\xC3\xB6\xC3\x9F"
                 "e' \"Gr\xC3\xB6\xC3\x9F"
                 "e\" [\xFF]"),
            (std::vector<TTok>{{string,
                                "'Gr\xC3\xB6\xC3\x9F"
                                "e'"},
                               {quotedIdent,
                                "\"Gr\xC3\xB6\xC3\x9F"
                                "e\""},
                               {quotedIdent, "[\xFF]"}}));
  EXPECT_EQ(Scan("caf\xC3\xA9"), (std::vector<TTok>{{ident, "caf"}, {NoSymKind, "\xC3"}, {NoSymKind, "\xA9"}}));
  EXPECT_EQ(Scan(std::string("'a\0b'", 5)), (std::vector<TTok>{{string, std::string("'a\0b'", 5)}}));
}

TEST(SQL92ScannerTest, KeywordsDoNotDependOnTheLocale) {
  const char* Previous = std::setlocale(LC_ALL, nullptr);
  const std::string Saved = Previous ? Previous : "C";
  // Under a Turkish locale "I" lower-cases to a dotless i; keywords must not notice.
  for (const char* Name : {"tr_TR.UTF-8", "tr_TR.ISO-8859-9", "tr_TR"})
    if (std::setlocale(LC_ALL, Name) != nullptr) break;
  EXPECT_EQ(Scan("IS In JOIN join INSERT"),
            (std::vector<TTok>{{kwIs, "IS"}, {kwIn, "In"}, {kwJoin, "JOIN"}, {kwJoin, "join"}, {ident, "INSERT"}}));
  // Latin-5 dotless i and dotted capital I are no letters to the scanner.
  EXPECT_EQ(Scan("\xFDs \xDDN"),
            (std::vector<TTok>{{NoSymKind, "\xFD"}, {ident, "s"}, {NoSymKind, "\xDD"}, {ident, "N"}}));
  std::setlocale(LC_ALL, Saved.c_str());
}

TEST(SQL92ScannerTest, HugeInputs) {
  const std::string Body(1 << 20, 'x');
  {
    const std::string Literal = "'" + Body + "''" + Body + "'";
    SQL92Scanner Scanner;
    Scanner.Init(Literal + " a");
    ASSERT_EQ(Scanner.GetTokenCount(), 3);
    EXPECT_EQ(Scanner.GetToken(0).Kind, string);
    EXPECT_EQ(Scanner.GetToken(0).Val, Literal);
    EXPECT_EQ(Scanner.GetToken(1).Pos, static_cast<int32_t>(Literal.size() + 1));
  }
  {
    SQL92Scanner Scanner;
    Scanner.Init("a '" + Body);  // unclosed: everything after the quote is one illegal token
    ASSERT_EQ(Scanner.GetTokenCount(), 3);
    EXPECT_EQ(Scanner.GetToken(1).Kind, NoSymKind);
    EXPECT_EQ(Scanner.GetToken(1).Val.size(), Body.size() + 1);
  }
  EXPECT_EQ(Scan(Body), (std::vector<TTok>{{ident, Body}}));
  EXPECT_EQ(Scan("a --" + Body + "\nb"), (std::vector<TTok>{{ident, "a"}, {ident, "b"}}));
  {
    std::string Many;
    for (int I = 0; I < 100000; ++I) Many += "a,";
    SQL92Scanner Scanner;
    Scanner.Init(Many);
    ASSERT_EQ(Scanner.GetTokenCount(), 200001);
    EXPECT_EQ(Scanner.GetToken(199999).Kind, symComma);
    EXPECT_EQ(Scanner.GetToken(199999).Pos, 199999);
  }
  {
    std::string Lines;
    for (int I = 0; I < 300000; ++I) Lines += "\r\n";
    SQL92Scanner Scanner;
    Scanner.Init(Lines + "z");
    EXPECT_EQ(Scanner.GetToken(0).Line, 300001);
    EXPECT_EQ(Scanner.GetToken(0).Pos, 300000);
    EXPECT_EQ(Scanner.GetToken(0).Offset, 600000u);
  }
}

// True when every byte of Gap is a blank or belongs to a "--" remark.
bool IsBlanksAndRemarks(std::string_view Gap) {
  for (size_t I = 0; I < Gap.size(); ++I) {
    const auto Ch = static_cast<unsigned char>(Gap[I]);
    if (Ch >= 1 && Ch <= 32) continue;
    if (Gap.substr(I, 2) != "--") return false;
    while (I < Gap.size() && Gap[I] != '\r' && Gap[I] != '\n') ++I;
  }
  return true;
}

// Checks what must hold for any text: the tokens tile it, each token's text is its slice,
// positions advance, and a token's text scanned alone gives that token again.
void CheckInvariants(const std::string& Text) {
  SQL92Scanner Scanner;
  Scanner.Init(Text);
  const auto Records = Scanner.GetRecords();
  ASSERT_FALSE(Records.empty());
  ASSERT_EQ(Records.back().Kind, EOFKind);
  ASSERT_EQ(Records.back().Offset, Text.size());
  size_t End = 0;
  int32_t LastPos = -1;
  for (int I = 0; I < Scanner.GetTokenCount(); ++I) {
    const TvxToken Token = Scanner.GetToken(I);
    ASSERT_GE(Token.Offset, End);
    ASSERT_TRUE(IsBlanksAndRemarks(std::string_view(Text).substr(End, Token.Offset - End)));
    ASSERT_GT(Token.Pos, LastPos);
    ASSERT_LE(Token.Pos, static_cast<int32_t>(Token.Offset));
    ASSERT_GE(Token.Col, 1);
    if (Token.Kind == EOFKind) break;
    ASSERT_FALSE(Token.Val.empty());
    ASSERT_EQ(Token.Val, std::string_view(Text).substr(Token.Offset, Token.Val.size()));
    const std::vector<TTok> Alone = Scan(Token.Val);
    ASSERT_FALSE(Alone.empty());
    ASSERT_EQ(Alone[0], (TTok{Token.Kind, std::string(Token.Val)}));
    End = Token.Offset + Token.Val.size();
    LastPos = Token.Pos;
  }
}

TEST(SQL92ScannerTest, InvariantsHoldOnRandomText) {
  // Bytes drawn from the characters that matter, then from all 256 values.
  const std::string Alphabet = "aZ_09.eExX'\"[]{}@<>!=-- \t\r\n\r\n;,*dtsn+\xC3\x00";
  std::mt19937 Random(20240601);
  for (int Round = 0; Round < 40; ++Round) {
    std::string Text(4096, ' ');
    for (char& Ch : Text)
      Ch = Round % 4 == 3 ? static_cast<char>(Random() & 0xFF) : Alphabet[Random() % Alphabet.size()];
    SCOPED_TRACE(Round);
    CheckInvariants(Text);
  }
}

TEST(SQL92ScannerTest, CorpusScansWithoutIllegalTokens) {
  for (const TvxCorpusEntry& Entry : LoadCorpus(GetTestDataDirectory() + "/corpus")) {
    SCOPED_TRACE(Entry.GetLocation());
    CheckInvariants(Entry.Text);
    for (const TTok& Token : Scan(Entry.Text)) EXPECT_NE(Token.Kind, NoSymKind) << Token.Val;
  }
}

TEST(SQL92ScannerTest, ClassRecordCreatesTheScanner) {
  const TvxScannerClass& Class = SQL92Scanner::StaticClass();
  EXPECT_EQ(Class.Name, "SQL92Scanner");
  const std::unique_ptr<TvxBaseScanner> Scanner = Class.Create();
  Scanner->Init("select");
  EXPECT_EQ(Scanner->GetToken(0).Kind, kwSelect);
}

TEST(SQL92ScannerTest, ParsesOnOneThreadShareNothingThroughTheKeptScanner) {
  // Each parse scans with the scanner the last one gave back: nothing of the last text may
  // show, neither in error positions nor in the trees already built.
  TastSQL92SyntaxProvider Provider;
  const auto ErrorOf = [&Provider](const std::string& Text) {
    try {
      Provider.ParseSelect(Text);
    } catch (const EvxSQLError& Error) {
      return std::make_tuple(Error.TokenText, Error.TokenLine, Error.TokenCol);
    }
    return std::make_tuple(std::string("parsed"), 0, 0);
  };
  EXPECT_EQ(ErrorOf("SELECT a\r\nFROM t\r\n\r\nWHERE ;"), std::make_tuple(std::string(";"), 4, 7));
  EXPECT_EQ(ErrorOf("SELECT a FROM ,"), std::make_tuple(std::string(","), 1, 15));
  const std::unique_ptr<TSQLSelectStatement> First = Provider.ParseSelect("SELECT Alpha FROM One");
  std::string Long = "SELECT x FROM t WHERE x IN (0";
  while (Long.size() < 100000) Long += ", 1";
  EXPECT_EQ(ErrorOf(Long + ", ]"), std::make_tuple(std::string("]"), 1, static_cast<int>(Long.size()) + 3));
  const std::unique_ptr<TSQLSelectStatement> Second = Provider.ParseSelect("SELECT Beta FROM Two");
  EXPECT_EQ(ErrorOf("SELECT a\nFROM ,"), std::make_tuple(std::string(","), 2, 6));
  EXPECT_EQ(vxtest::Write(*First), "SELECT Alpha FROM One");
  EXPECT_EQ(vxtest::Write(*Second), "SELECT Beta FROM Two");
}

// A scanner on the base's character reader: words of letters and single other characters.
class TWordScanner : public TvxBaseScanner {
protected:
  void CheckLiteral(TvxTokenRecord&) const override {}
  void InitInternal() override {
    for (int Ch = 1; Ch <= 32; ++Ch) FIgnore[static_cast<size_t>(Ch)] = true;
  }
  TvxTokenRecord NextToken() override {
    while (FIgnore[static_cast<size_t>(FCh)]) NextCh();
    TvxTokenRecord Token;
    StartToken(Token);
    if (FCh == TvxBuffer::EndOfText) return Token;
    Token.Kind = FValCh == FCh ? 1 : 2;  // 2: written in capitals
    const bool Word = FCh >= 'a' && FCh <= 'z';
    do NextCh();
    while (Word && FCh >= 'a' && FCh <= 'z');
    EndToken(Token);
    return Token;
  }
};

TEST(ScannerBaseTest, EndTokenAndIndexesOutOfRange) {
  SQL92Scanner Fresh;
  EXPECT_EQ(Fresh.GetToken(0).Kind, EOFKind);
  EXPECT_EQ(Fresh.GetToken(0).Val, "EOF");

  SQL92Scanner Scanner;
  Scanner.Init("");
  ASSERT_EQ(Scanner.GetTokenCount(), 1);
  EXPECT_EQ(Scanner.GetToken(0).Val, "EOF");
  Scanner.Init("a b");
  ASSERT_EQ(Scanner.GetTokenCount(), 3);
  for (int Index : {-1, 3, 1000000}) {
    EXPECT_EQ(Scanner.GetToken(Index).Kind, EOFKind);
    EXPECT_EQ(Scanner.GetToken(Index).Offset, 3u);
  }
}

TEST(SQL92ScannerTest, OneScannerReadsTextsOfEveryTokenDensity) {
  // The array is sized once per text for the densest case, a token on every byte: texts of
  // one-byte tokens right up to the end must fit, also after a shorter text left a smaller
  // array behind, and a long name after a dense text must leave no stale tokens.
  const std::vector<std::pair<std::string, int>> Cases = {{"(", 2},
                                                          {"", 1},
                                                          {",,,,,,,,", 9},
                                                          {std::string(5000, ')'), 5001},
                                                          {std::string(300, 'n'), 2},
                                                          {std::string(70000, '*') + "z", 70002}};
  SQL92Scanner Scanner;
  for (const auto& [Text, Count] : Cases) {
    SCOPED_TRACE(Text.size());
    Scanner.Init(Text);
    ASSERT_EQ(Scanner.GetTokenCount(), Count);
    const TvxToken Last = Scanner.GetToken(std::max(Count - 2, 0));
    EXPECT_EQ(Last.Offset + (Last.Kind == EOFKind ? 0 : Last.Val.size()), Text.size());
    EXPECT_EQ(Scanner.GetToken(Count - 1).Kind, EOFKind);
  }
}

TEST(ScannerBaseTest, TokensViewTheScannersOwnCopy) {
  SQL92Scanner Scanner;
  {
    std::string Text = "select Name from T";
    Scanner.Init(Text);
    Text.assign(Text.size(), '#');  // the caller's text may change or go away
  }
  EXPECT_EQ(Scanner.GetText(), "select Name from T");
  EXPECT_EQ(Scanner.GetToken(1).Val, "Name");
  EXPECT_EQ(Scanner.GetToken(1).Val.data(), Scanner.GetText().data() + 7);
  Scanner.Init("x");  // a second Init replaces text and tokens
  ASSERT_EQ(Scanner.GetTokenCount(), 2);
  EXPECT_EQ(Scanner.GetToken(0).Val, "x");
}

TEST(ScannerBaseTest, CharacterReaderMatchesTheSQL92Cursor) {
  // Both readers must agree on every position, whatever mix of line ends precedes a token.
  const std::string Alphabet = "abAB \t\r\n\n\r-";
  std::mt19937 Random(7);
  for (int Round = 0; Round < 200; ++Round) {
    std::string Text(1 + Random() % 64, ' ');
    for (char& Ch : Text) Ch = Alphabet[Random() % Alphabet.size()];
    for (size_t I = 0; I + 1 < Text.size(); ++I)
      if (Text[I] == '-' && Text[I + 1] == '-') Text[I + 1] = 'a';  // no remarks: the word scanner has none
    TWordScanner Words;
    SQL92Scanner Sql;
    Words.Init(Text);
    Sql.Init(Text);
    ASSERT_EQ(Words.GetTokenCount(), Sql.GetTokenCount()) << Text;
    for (int I = 0; I < Sql.GetTokenCount(); ++I) {
      const TvxToken A = Words.GetToken(I);
      const TvxToken B = Sql.GetToken(I);
      ASSERT_EQ(std::tie(A.Pos, A.Line, A.Col, A.Offset, A.Val), std::tie(B.Pos, B.Line, B.Col, B.Offset, B.Val))
          << "token " << I << " of " << testing::PrintToString(Text);
    }
  }
  TWordScanner Words;
  Words.Init("Ab a");
  EXPECT_EQ(Words.GetToken(0).Kind, 2);  // FCh folds, FValCh keeps the capital
  EXPECT_EQ(Words.GetToken(1).Kind, 1);
}

// The word scanner with only the space skipped: line ends become tokens of their own.
class TLineEndScanner : public TWordScanner {
protected:
  void InitInternal() override {}
};

TEST(ScannerBaseTest, TokensOnLineEndsBelongToTheLineTheyBegin) {
  // A token that starts on a line end is on the new line, in column 0; a CR LF pair is one
  // token of two bytes, and the LF of an LF CR pair is an ordinary character.
  struct TCase {
    std::string Text;
    int Index;
    int32_t Pos, Line, Col;
    uint32_t Offset;
    std::string Val;
  };
  const std::vector<TCase> Cases = {
      {"a\r\nb", 1, 1, 2, 0, 1, "\r\n"},  {"a\r\nb", 2, 2, 2, 1, 3, "b"}, {"a\n\rb", 1, 1, 1, 2, 1, "\n"},
      {"a\n\rb", 2, 2, 2, 0, 2, "\r"},    {"a\n\rb", 3, 3, 2, 1, 3, "b"}, {"\r\r\n\n", 2, 2, 4, 0, 3, "\n"},
      {"\r\r\n\n", 3, 3, 4, 1, 4, "EOF"}, {"\n", 0, 0, 2, 0, 0, "\n"},    {"\n", 1, 1, 2, 1, 1, "EOF"},
  };
  for (const TCase& Case : Cases) {
    TLineEndScanner Scanner;
    Scanner.Init(Case.Text);
    const TvxToken Token = Scanner.GetToken(Case.Index);
    SCOPED_TRACE(testing::Message() << testing::PrintToString(Case.Text) << " token " << Case.Index);
    EXPECT_EQ(std::tie(Token.Pos, Token.Line, Token.Col, Token.Offset),
              std::tie(Case.Pos, Case.Line, Case.Col, Case.Offset));
    EXPECT_EQ(Token.Val, Case.Val);
    EXPECT_EQ(Scanner.GetTokenText(Case.Index), Case.Val);
  }
}

TEST(ScannerBaseTest, TokenArrayGrowsWhenShortTokensFollowLongOnes) {
  // The base reserves by the text's length and grows by the rate met so far: a long name
  // followed by brackets makes the first growth too small and needs another one.
  const std::string Text = std::string(300000, 'x') + " " + std::string(600000, '(') + "\r\n)";
  TWordScanner Scanner;
  Scanner.Init(Text);
  ASSERT_EQ(Scanner.GetTokenCount(), 600003);
  EXPECT_EQ(Scanner.GetTokenText(0).size(), 300000u);
  const TvxToken Bracket = Scanner.GetToken(600000);
  EXPECT_EQ(Bracket.Val, "(");
  EXPECT_EQ(Bracket.Offset, 900000u);
  EXPECT_EQ(Bracket.Col, 900001);
  const TvxToken Close = Scanner.GetToken(600001);
  EXPECT_EQ(Close.Val, ")");
  EXPECT_EQ(Close.Pos, 900002);
  EXPECT_EQ(Close.Line, 2);
}

TEST(ScannerBaseTest, BufferReadsBytesWithClampedPositions) {
  TvxBuffer Buffer;
  Buffer.Fill("ab\xFF");
  EXPECT_EQ(Buffer.Peek(), 'a');
  EXPECT_EQ(Buffer.Read(), 'a');
  EXPECT_EQ(Buffer.Read(), 'b');
  EXPECT_EQ(Buffer.Read(), 255);
  for (int I = 0; I < 3; ++I) EXPECT_EQ(Buffer.Read(), TvxBuffer::EndOfText);
  EXPECT_EQ(Buffer.Peek(), TvxBuffer::EndOfText);
  Buffer.SetPos(-5);
  EXPECT_EQ(Buffer.GetPos(), 0);
  Buffer.SetPos(Buffer.GetLength() + 3);
  EXPECT_EQ(Buffer.GetPos(), 3);
  Buffer.SetPos(1);
  EXPECT_EQ(Buffer.GetString(0, 2), "ab");
  EXPECT_EQ(Buffer.GetString(-3, 100), "ab\xFF");
  EXPECT_EQ(Buffer.GetString(2, 1), "");
  EXPECT_EQ(Buffer.GetPos(), 1);
  EXPECT_EQ(Buffer.GetData()[3], '\0');  // the sentinel after the text
}

}  // namespace
